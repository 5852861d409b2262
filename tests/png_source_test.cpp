#include "engine/png_source.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "tests/support/png_writer.h"

namespace {

using testing_support::EncodePng;
using testing_support::ExpectedPngPixels;
using testing_support::PngSpec;
using testing_support::SamplesPerPixel;

// Values that cover each depth's whole range, the same on every run.
std::vector<uint16_t> Samples(const PngSpec& spec, uint32_t limit) {
  std::vector<uint16_t> samples;
  const size_t count = size_t(spec.width) * spec.height * SamplesPerPixel(spec.colourType);
  for (size_t i = 0; i < count; ++i) {
    samples.push_back(uint16_t((i * 2654435761u >> 7) % limit));
  }
  if (count > 0) samples[0] = uint16_t(limit - 1);
  return samples;
}

struct PngCase {
  const char* name;
  uint8_t colourType;
  uint8_t bitDepth;
  bool interlaced = false;
  bool trns = false;
};

PngSpec SpecOf(const PngCase& c) {
  PngSpec spec;
  spec.width = 11;
  spec.height = 9;
  spec.colourType = c.colourType;
  spec.bitDepth = c.bitDepth;
  spec.interlaced = c.interlaced;
  if (c.colourType == 3) {
    const size_t entries = c.bitDepth == 8 ? 200 : size_t(1) << c.bitDepth;
    for (size_t i = 0; i < entries; ++i) {
      spec.palette.push_back(Pixel{uint8_t(i * 37), uint8_t(255 - i), uint8_t(i * 11 + 5), 255});
    }
    if (c.trns) {
      for (size_t i = 0; i < entries / 2 + 1; ++i) spec.paletteAlpha.push_back(uint8_t(i * 97));
    }
  }
  return spec;
}

class PngColours : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngColours, YieldTheSamplesWrittenTopRowFirst) {
  const PngCase& c = GetParam();
  PngSpec spec = SpecOf(c);
  const uint32_t limit = c.colourType == 3 ? uint32_t(spec.palette.size()) : 1u << c.bitDepth;
  const std::vector<uint16_t> samples = Samples(spec, limit);
  if (c.trns && c.colourType != 3) {
    // The third pixel's colour becomes the transparent one.
    const int n = SamplesPerPixel(c.colourType);
    spec.transparent.assign(samples.begin() + 2 * n, samples.begin() + 3 * n);
  }
  const std::vector<uint8_t> file = EncodePng(spec, samples);
  const std::vector<Pixel> expected = ExpectedPngPixels(spec, samples);

  MemoryByteSource bytes(file);
  PngSource source(bytes);
  ASSERT_EQ(source.Open().str(), L"");
  EXPECT_EQ(source.header().width, spec.width);
  EXPECT_EQ(source.header().height, spec.height);
  EXPECT_EQ(source.header().sourceBits, SamplesPerPixel(c.colourType) * c.bitDepth);
  EXPECT_EQ(source.header().storedSize, file.size());
  std::vector<Pixel> row(spec.width);
  for (uint32_t y = 0; y < spec.height; ++y) {
    ASSERT_TRUE(source.ReadRow(y, row.data())) << source.ReadFailure().str();
    for (uint32_t x = 0; x < spec.width; ++x) {
      const Pixel& want = expected[y * spec.width + x];
      const Pixel& got = row[x];
      ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b && got.a == want.a)
          << "pixel " << x << "," << y << ": got " << int(got.r) << " " << int(got.g) << " "
          << int(got.b) << " " << int(got.a) << ", want " << int(want.r) << " " << int(want.g)
          << " " << int(want.b) << " " << int(want.a);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PngColours,
    ::testing::Values(PngCase{"grey1", 0, 1}, PngCase{"grey2_trns", 0, 2, false, true},
                      PngCase{"grey4", 0, 4}, PngCase{"grey8", 0, 8},
                      PngCase{"grey16_trns", 0, 16, false, true}, PngCase{"rgb8", 2, 8},
                      PngCase{"rgb8_trns", 2, 8, false, true}, PngCase{"rgb16", 2, 16},
                      PngCase{"palette1", 3, 1}, PngCase{"palette2_trns", 3, 2, false, true},
                      PngCase{"palette4", 3, 4}, PngCase{"palette8_trns", 3, 8, false, true},
                      PngCase{"grey_alpha8", 4, 8}, PngCase{"grey_alpha16", 4, 16},
                      PngCase{"rgba8", 6, 8}, PngCase{"rgba16", 6, 16},
                      PngCase{"interlaced_grey1", 0, 1, true},
                      PngCase{"interlaced_palette4_trns", 3, 4, true, true},
                      PngCase{"interlaced_rgb16_trns", 2, 16, true, true},
                      PngCase{"interlaced_rgba8", 6, 8, true}),
    [](const ::testing::TestParamInfo<PngCase>& info) { return std::string(info.param.name); });

std::vector<uint8_t> GoodFile(bool interlaced = false) {
  PngSpec spec = SpecOf(PngCase{"", 6, 8, interlaced});
  return EncodePng(spec, Samples(spec, 256));
}

void PutBigEndian(std::vector<uint8_t>& file, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(value >> (24 - 8 * i));
}

// Rewrites IHDR's width and height, with a CRC that matches them.
std::vector<uint8_t> Resized(uint32_t width, uint32_t height) {
  std::vector<uint8_t> file = GoodFile();
  PutBigEndian(file, 16, width);
  PutBigEndian(file, 20, height);
  PutBigEndian(file, 29, uint32_t(crc32(0, file.data() + 12, 17)));
  return file;
}

std::wstring Opened(const std::vector<uint8_t>& file) {
  MemoryByteSource bytes(file);
  PngSource source(bytes);
  return source.Open().str();
}

TEST(PngRejection, NamesTheReason) {
  std::vector<uint8_t> file = GoodFile();
  const size_t idat = 8 + 25;  // signature and IHDR: IDAT comes next
  ASSERT_EQ(std::memcmp(file.data() + idat + 4, "IDAT", 4), 0);
  file[idat + 10] ^= 0x40;
  EXPECT_EQ(Opened(file), L" png: CRC error in IDAT");
  file = GoodFile();
  file.resize(file.size() - 12);  // IEND
  EXPECT_EQ(Opened(file), L" png: file ends before its IEND chunk");
  EXPECT_EQ(Opened(Resized(65535, 4096)),
            L" png: image data is too short for its width and height");
  EXPECT_EQ(Opened(Resized(65535, 4097)), L" png: picture has more than 268435456 pixels");
  EXPECT_EQ(Opened(Resized(65536, 1)), L" png: image width exceeds user limit");
  EXPECT_EQ(Opened(Resized(0, 1)), L" png: invalid image width");
}

// Image data whose CRC is right but whose deflate stream is not: found only
// while the rows are decoded, and then named.
TEST(PngRejection, DamagedImageDataWithAGoodCrcIsNamedWhereFound) {
  for (bool interlaced : {false, true}) {
    std::vector<uint8_t> file = GoodFile(interlaced);
    const size_t idat = 8 + 25;
    const uint32_t length =
        uint32_t(file[idat]) << 24 | file[idat + 1] << 16 | file[idat + 2] << 8 | file[idat + 3];
    for (uint32_t i = 2; i < length; ++i) file[idat + 8 + i] = uint8_t(0xFF - i);
    PutBigEndian(file, idat + 8 + length, uint32_t(crc32(0, file.data() + idat + 4, length + 4)));
    MemoryByteSource bytes(file);
    PngSource source(bytes);
    std::wstring reason = source.Open().str();
    if (reason.empty()) {
      std::vector<Pixel> row(source.header().width);
      bool complete = true;
      for (uint32_t y = 0; y < source.header().height; ++y)
        complete &= source.ReadRow(y, row.data());
      EXPECT_FALSE(complete);
      reason = source.ReadFailure().str();
    }
    EXPECT_EQ(reason.rfind(L" png: IDAT", 0), 0u) << reason;
  }
}

// Every truncation and every single flipped bit is caught by the chunk
// lengths and CRCs before a row is decoded.
TEST(PngDamage, EveryTruncationAndFlippedBitIsRejected) {
  for (bool interlaced : {false, true}) {
    const std::vector<uint8_t> good = GoodFile(interlaced);
    for (size_t cut = 0; cut < good.size(); cut += 7) {
      const std::wstring reason = Opened({good.begin(), good.begin() + cut});
      EXPECT_EQ(reason.rfind(L" png: ", 0), 0u) << cut;
    }
    for (size_t bit = 0; bit < good.size() * 8; bit += 3) {
      std::vector<uint8_t> file = good;
      file[bit / 8] ^= uint8_t(1 << bit % 8);
      const std::wstring reason = Opened(file);
      EXPECT_EQ(reason.rfind(L" png: ", 0), 0u) << bit;
    }
  }
}

}  // namespace
