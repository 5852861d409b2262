#include "engine/jpeg_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "tests/support/jpeg_writer.h"

namespace {

using testing_support::DecodeJpegWithTurboJpeg;
using testing_support::EncodeJpeg;
using testing_support::JpegKind;

struct JpegCase {
  const char* name;
  JpegKind kind;
  int width;
  int height;
  uint16_t bits;
};

class JpegPictures : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegPictures, YieldWhatTurboJpegDecodes) {
  const JpegCase& c = GetParam();
  const std::vector<uint8_t> file = EncodeJpeg(c.width, c.height, c.kind);
  const std::vector<Pixel> expected = DecodeJpegWithTurboJpeg(file);
  MemoryByteSource bytes(file);
  JpegSource source(bytes);
  ASSERT_EQ(source.Open().str(), L"");
  EXPECT_EQ(source.header().width, uint32_t(c.width));
  EXPECT_EQ(source.header().height, uint32_t(c.height));
  EXPECT_EQ(source.header().sourceBits, c.bits);
  EXPECT_EQ(source.header().storedSize, file.size());
  std::vector<Pixel> row(c.width);
  for (int y = 0; y < c.height; ++y) {
    ASSERT_TRUE(source.ReadRow(y, row.data())) << source.ReadFailure().str();
    for (int x = 0; x < c.width; ++x) {
      const Pixel& want = expected[size_t(y) * c.width + x];
      const Pixel& got = row[x];
      ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b && got.a == 255)
          << "pixel " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, JpegPictures,
    ::testing::Values(JpegCase{"ycbcr444", JpegKind::k444, 33, 17, 24},
                      JpegCase{"ycbcr422", JpegKind::k422, 31, 9, 24},
                      JpegCase{"ycbcr420", JpegKind::k420, 45, 21, 24},
                      JpegCase{"grey", JpegKind::kGrey, 19, 23, 8},
                      JpegCase{"progressive420", JpegKind::kProgressive420, 37, 29, 24}),
    [](const ::testing::TestParamInfo<JpegCase>& info) { return std::string(info.param.name); });

std::wstring Opened(const std::vector<uint8_t>& file) {
  MemoryByteSource bytes(file);
  JpegSource source(bytes);
  return source.Open().str();
}

// Where the SOF marker's height and width stand.
size_t FrameHeader(const std::vector<uint8_t>& file) {
  for (size_t i = 2; i + 9 < file.size(); ++i) {
    if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) return i;
  }
  return 0;
}

TEST(JpegRejection, NamesTheReason) {
  EXPECT_EQ(Opened(EncodeJpeg(8, 8, JpegKind::kCmyk)), L" jpeg: CMYK is not supported");
  for (JpegKind kind : {JpegKind::k420, JpegKind::kProgressive420}) {
    std::vector<uint8_t> file = EncodeJpeg(16, 16, kind);
    const size_t sof = FrameHeader(file);
    ASSERT_NE(sof, 0u);
    file[sof + 5] = file[sof + 6] = file[sof + 7] = file[sof + 8] = 0xF0;  // 61680 x 61680
    EXPECT_EQ(Opened(file), L" jpeg: picture has more than 268435456 pixels");
    file[sof + 5] = 0x3F;  // 16368 rows
    file[sof + 7] = 0x3F;
    EXPECT_EQ(Opened(file), L" jpeg: data is too short for its width and height");
  }
}

// Cut files never reach the outputs: each misses its end. A flipped bit may
// go unnoticed (JPEG has no checksum), but never past a clean rejection.
TEST(JpegDamage, TruncatedFilesAreRejectedAndFlippedBitsReadOrRejected) {
  for (JpegKind kind : {JpegKind::k420, JpegKind::kProgressive420, JpegKind::kGrey}) {
    const std::vector<uint8_t> good = EncodeJpeg(21, 13, kind);
    for (size_t cut = 0; cut < good.size(); cut += 7) {
      const std::wstring reason = Opened({good.begin(), good.begin() + cut});
      EXPECT_EQ(reason.rfind(L" jpeg: ", 0), 0u) << cut;
    }
    for (size_t bit = 0; bit < good.size() * 8; bit += 3) {
      std::vector<uint8_t> file = good;
      file[bit / 8] ^= uint8_t(1 << bit % 8);
      MemoryByteSource bytes(file);
      JpegSource source(bytes);
      const std::wstring reason = source.Open().str();
      if (!reason.empty()) {
        EXPECT_EQ(reason.rfind(L" jpeg: ", 0), 0u) << reason;
        continue;
      }
      std::vector<Pixel> row(source.header().width);
      for (uint32_t y = 0; y < source.header().height; ++y) {
        EXPECT_TRUE(source.ReadRow(y, row.data())) << "a file read once reads again";
      }
    }
  }
}

}  // namespace
