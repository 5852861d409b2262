// Whole runs with the options for firmware: aligned pictures, the planar
// format's plane order, and the 4 GiB stop counting the alignment gaps.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "engine/conversion_run.h"
#include "tests/support/engine_run.h"
#include "tests/support/png_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::Rgb;

Picture Solid(int width, int height, Rgb colour) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixel = [colour](int, int) { return colour; };
  return p;
}

struct AlignCase {
  uint32_t alignment;
  std::vector<int> offsets;  // of the 3-, 6- and 9-byte pictures
  size_t size;
};

class Alignment : public ::testing::TestWithParam<AlignCase> {};

TEST_P(Alignment, PicturesStartAtMultiplesAfterZeroBytes) {
  EngineRun run;
  run.engine.m_format = PixelFormat::kRgb888;
  run.engine.m_nAlignment = GetParam().alignment;
  run.Put("bmp/a.bmp", Solid(1, 1, {1, 2, 3}));
  run.Put("bmp/b.bmp", Solid(2, 1, {4, 5, 6}));
  run.Put("bmp/c.bmp", Solid(1, 3, {7, 8, 9}));
  ASSERT_EQ(run.Run(), 1);
  const std::string binary = run.Binary();
  ASSERT_EQ(binary.size(), GetParam().size);
  std::string expected(GetParam().size, '\0');
  const std::string pictures[] = {"\1\2\3", "\4\5\6\4\5\6", "\7\10\11\7\10\11\7\10\11"};
  for (int i = 0; i < 3; ++i) {
    const int offset = GetParam().offsets[i];
    expected.replace(offset, pictures[i].size(), pictures[i]);
    char entry[40];
    std::snprintf(entry, sizeof entry, "{PIC_OFFSET + 0x%.4x,", offset);
    EXPECT_NE(run.Table().find(entry), std::string::npos) << entry;
    EXPECT_EQ(run.log.pictures[i].offset, static_cast<uint64_t>(offset));
  }
  EXPECT_TRUE(binary == expected);
  EXPECT_TRUE(testing_support::ArrayBytes(run.Array()) == pictures[0] + pictures[1] + pictures[2])
      << "bmp.c holds the pictures without the gaps";
}

INSTANTIATE_TEST_SUITE_P(Sizes, Alignment,
                         ::testing::Values(AlignCase{1, {0, 3, 9}, 18},
                                           AlignCase{2, {0, 4, 10}, 19},
                                           AlignCase{4, {0, 4, 12}, 21},
                                           AlignCase{64, {0, 64, 128}, 137},
                                           AlignCase{4096, {0, 4096, 8192}, 8201}));

struct LimitCase {
  uint32_t alignment;
  uint64_t limit;
  bool fits;
};

class AlignedLimit : public ::testing::TestWithParam<LimitCase> {};

// Two 8-byte pictures: the second starts at 8, or at 16 when aligned to 16.
TEST_P(AlignedLimit, TheGapCountsTowardsTheLimit) {
  EngineRun run;
  run.Put("bmp/a.bmp", Solid(2, 2, {1, 2, 3}));
  run.Put("bmp/b.bmp", Solid(2, 2, {4, 5, 6}));
  run.engine.m_nAlignment = GetParam().alignment;
  run.engine.m_nBinaryLimit = GetParam().limit;
  EXPECT_EQ(run.Run(), GetParam().fits ? 1 : 0);
  EXPECT_EQ(
      run.log.failure,
      GetParam().fits ? L"" : L"cannot write out.bin: the binary image file would exceed 4 GiB");
  EXPECT_EQ(fs::exists(run.root() / "out.bin"), GetParam().fits);
}

INSTANTIATE_TEST_SUITE_P(Limits, AlignedLimit,
                         ::testing::Values(LimitCase{1, 16, true}, LimitCase{16, 24, true},
                                           LimitCase{16, 23, false}, LimitCase{16, 16, false}));

// A 3 x 2 picture with alpha, counting how often each row is read.
class AlphaSource : public PictureSource {
 public:
  AlphaSource() {
    header_.width = 3;
    header_.height = 2;
    header_.sourceBits = 32;
  }
  CString Open() override { return {}; }
  const PictureHeader& header() const override { return header_; }
  bool ReadRow(uint32_t k, Pixel* row) override {
    ++reads;
    for (uint8_t j = 0; j < 3; ++j) {
      const uint8_t v = static_cast<uint8_t>(0x40 * k + 0x10 * j);
      row[j] = Pixel{v, v, v, static_cast<uint8_t>(0x11 * (3 * k + j + 1))};
    }
    return true;
  }
  int reads = 0;

 private:
  PictureHeader header_;
};

class PlanarPicture : public ::testing::TestWithParam<uint64_t> {};

// The colour plane (RGB565, high byte first), then the A8 plane: from a
// buffer, or, above the buffer's limit, from a second reading of the rows.
TEST_P(PlanarPicture, AlphaPlaneFollowsTheColourPlane) {
  EngineRun run;
  OutputPlan plan;
  plan.names = {"", "out.txt", "out.bin"};
  plan.format = PixelFormat::kRgb565A8;
  plan.dither = Dither::kOrdered;
  const uint64_t bufferLimit = GetParam();
  {
    ConversionRun conversion(plan, run.log, kMaxBinaryImageSize, bufferLimit);
    ASSERT_TRUE(conversion.Open());
    AlphaSource source;
    run.engine.ConvertPicture(conversion, source, L"00001: ", L"p.bmp", "p.bmp");
    EXPECT_EQ(source.reads, bufferLimit >= 6 ? 2 : 4);
    ASSERT_TRUE(conversion.Finish(1, true).outputFailure.IsEmpty());
  }
  // Ordered dithering of the greys 0x00..0x60: the same in either case.
  const std::string expected(
      "\x00\x00\x10\x82\x21\x04"
      "\x39\xE7\x52\x8A\x5A\xEB"
      "\x11\x22\x33\x44\x55\x66",
      18);
  EXPECT_TRUE(run.Binary() == expected);
  EXPECT_NE(run.Array().find("0x5a,0xeb, \r\n\t0x11,0x22,0x33,\r\n\t0x44,0x55,0x66,\r\n};"),
            std::string::npos)
      << run.Array();
  EXPECT_NE(run.Table().find("{PIC_OFFSET + 0x0000,0x03,0x02,3},"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BufferLimits, PlanarPicture, ::testing::Values(6, 5, 0));

// A PNG's alpha reaches the formats that keep it, and the others show the
// pixel over the background.
TEST(PngAlpha, KeptByAlphaFormatsAndCompositedByTheOthers) {
  testing_support::PngSpec spec;
  spec.width = 3;
  spec.colourType = 6;
  const std::vector<uint16_t> samples = {200, 100, 50, 0, 200, 100, 50, 128, 200, 100, 50, 255};
  const struct {
    PixelFormat format;
    std::string bytes;
  } cases[] = {
      {PixelFormat::kRgba8888, std::string("\xC8\x64\x32\x00\xC8\x64\x32\x80\xC8\x64\x32\xFF", 12)},
      {PixelFormat::kArgb8888, std::string("\x32\x64\xC8\x00\x32\x64\xC8\x80\x32\x64\xC8\xFF", 12)},
      {PixelFormat::kRgb565A8, std::string("\xCB\x26\xCB\x26\xCB\x26\x00\x80\xFF", 9)},
      // Over 0x102040: (200*128 + 16*127 + 127) / 255 = 108 and so on.
      {PixelFormat::kRgb888, std::string("\x10\x20\x40\x6C\x42\x39\xC8\x64\x32", 9)},
  };
  for (const auto& c : cases) {
    EngineRun run;
    run.Put("bmp/a.png", testing_support::EncodePng(spec, samples));
    run.engine.m_inputMode = InputMode::kAny;
    run.engine.m_strExt[0] = L"png";
    run.engine.m_nExtCount = 1;
    run.engine.m_background = Background{0x10, 0x20, 0x40};
    run.engine.m_format = c.format;
    ASSERT_EQ(run.engine.ConvertFolder(L"bmp", 1), 1);
    EXPECT_TRUE(run.Binary() == c.bytes) << FormatName(c.format);
  }
}

}  // namespace
