#include "engine/strict_bmp_source.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/output_names.h"

namespace {

TEST(ParseHeaders, ReadsEveryFieldLittleEndianWithoutGaps) {
  uint8_t bytes[kHeadersSize];
  for (int i = 0; i < kHeadersSize; ++i) bytes[i] = static_cast<uint8_t>(i + 1);
  bytes[25] = 0xFF;  // biHeight's top byte: a negative height
  BitmapFileHeader fh;
  BitmapInfoHeader ih;
  ParseHeaders(bytes, fh, ih);
  EXPECT_EQ(fh.bfType, 0x0201);
  EXPECT_EQ(fh.bfSize, 0x06050403u);
  EXPECT_EQ(fh.bfReserved1, 0x0807);
  EXPECT_EQ(fh.bfReserved2, 0x0A09);
  EXPECT_EQ(fh.bfOffBits, 0x0E0D0C0Bu);
  EXPECT_EQ(ih.biSize, 0x1211100Fu);
  EXPECT_EQ(ih.biWidth, 0x16151413);
  EXPECT_EQ(ih.biHeight, static_cast<int32_t>(0xFF191817u));
  EXPECT_EQ(ih.biPlanes, 0x1C1B);
  EXPECT_EQ(ih.biBitCount, 0x1E1D);
  EXPECT_EQ(ih.biCompression, 0x2221201Fu);
  EXPECT_EQ(ih.biSizeImage, 0x26252423u);
  EXPECT_EQ(ih.biXPelsPerMeter, 0x2A292827);
  EXPECT_EQ(ih.biYPelsPerMeter, 0x2E2D2C2B);
  EXPECT_EQ(ih.biClrUsed, 0x3231302Fu);
  EXPECT_EQ(ih.biClrImportant, 0x36353433u);
}

struct GeometryCase {
  int32_t width;
  int64_t rowBytes, rowPadding, rowStride;
};

class RowGeometryFromWidth : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(RowGeometryFromWidth, PadsThreeBytesPerPixelToFour) {
  RowGeometry g = ComputeRowGeometry(GetParam().width);
  EXPECT_EQ(g.rowBytes, GetParam().rowBytes);
  EXPECT_EQ(g.rowPadding, GetParam().rowPadding);
  EXPECT_EQ(g.rowStride, GetParam().rowStride);
}

INSTANTIATE_TEST_SUITE_P(Widths, RowGeometryFromWidth,
                         ::testing::Values(GeometryCase{1, 3, 1, 4}, GeometryCase{2, 6, 2, 8},
                                           GeometryCase{3, 9, 3, 12}, GeometryCase{4, 12, 0, 12},
                                           GeometryCase{33, 99, 1, 100}, GeometryCase{0, 0, 0, 0},
                                           GeometryCase{1920, 5760, 0, 5760},
                                           GeometryCase{65535, 196605, 3, 196608}));

struct CheckCase {
  const char* what;
  uint32_t bfSize;
  int32_t width;
  int32_t height;
  uint32_t sizeImage;
  int64_t fileLength;
  Verdict verdict;
};

class PictureCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(PictureCheck, GivesTheFirstFailingVerdict) {
  const CheckCase& c = GetParam();
  BitmapFileHeader fh;
  fh.bfType = 0x5858;  // not "BM": the signature is never examined
  fh.bfSize = c.bfSize;
  BitmapInfoHeader ih;
  ih.biWidth = c.width;
  ih.biHeight = c.height;
  ih.biSizeImage = c.sizeImage;
  ih.biBitCount = 32;
  EXPECT_EQ(CheckPicture(fh, ih, c.fileLength), c.verdict) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PictureCheck,
    ::testing::Values(
        CheckCase{"2x1 as written", 62, 2, 1, 8, 62, Verdict::kAccepted},
        CheckCase{"longer file than declared", 62, 2, 1, 8, 70, Verdict::kAccepted},
        CheckCase{"top-down 2x1", 62, 2, -1, 8, 62, Verdict::kAccepted},
        CheckCase{"declared size with room to spare", 74, 2, 1, 20, 74, Verdict::kAccepted},
        CheckCase{"width 0, any height", 54, 0, 7, 0, 54, Verdict::kAccepted},
        CheckCase{"height 0", 54, 9, 0, 0, 54, Verdict::kAccepted},
        CheckCase{"widest", 54, 65535, 0, 0, 54, Verdict::kAccepted},
        CheckCase{"highest", 54, 0, 65535, 0, 54, Verdict::kAccepted},
        CheckCase{"file shorter than the headers", 54, 0, 0, 0, 53, Verdict::kHeaderNot54},
        CheckCase{"biSizeImage left 0", 62, 2, 1, 0, 62, Verdict::kHeaderNot54},
        CheckCase{"sizes equal only modulo 2^32", 0x26, 0, 0, 0xFFFFFFF0u, 100,
                  Verdict::kHeaderNot54},
        CheckCase{"file cut short", 62, 2, 1, 8, 61, Verdict::kShorterThanDeclared},
        CheckCase{"length unknown", 62, 2, 1, 8, -1, Verdict::kShorterThanDeclared},
        CheckCase{"negative width", 62, -2, 1, 8, 62, Verdict::kSizeMismatch},
        CheckCase{"rows reach into the headers", 62, 2, 2, 8, 62, Verdict::kSizeMismatch},
        CheckCase{"top-down rows reach into the headers", 62, 2, -2, 8, 62, Verdict::kSizeMismatch},
        CheckCase{"most negative height", 62, 1, INT_MIN, 8, 62, Verdict::kSizeMismatch},
        CheckCase{"huge height times stride", 62, 65535, 65535, 8, 62, Verdict::kSizeMismatch},
        CheckCase{"too wide for the table", 54, 65536, 0, 0, 54, Verdict::kTooLarge},
        CheckCase{"too high for the table", 54, 0, 65536, 0, 54, Verdict::kTooLarge},
        CheckCase{"too high, top-down", 54, 0, -65536, 0, 54, Verdict::kTooLarge}));

struct OffsetCase {
  uint32_t bfSize;
  int32_t height;
  std::vector<uint64_t> offsets;  // rows k = 0, 1, ...: top row first
};

class RowOffsets : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(RowOffsets, CountBackFromTheDeclaredEnd) {
  BitmapFileHeader fh;
  fh.bfSize = GetParam().bfSize;
  BitmapInfoHeader ih;
  ih.biWidth = 2;
  ih.biHeight = GetParam().height;
  RowGeometry g = ComputeRowGeometry(2);
  for (uint32_t k = 0; k < GetParam().offsets.size(); ++k) {
    EXPECT_EQ(RowOffset(fh, ih, g, k), GetParam().offsets[k]) << "row " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, RowOffsets,
                         ::testing::Values(OffsetCase{78, 3, {70, 62, 54}},
                                           OffsetCase{82, 3, {74, 66, 58}},
                                           OffsetCase{78, -3, {54, 62, 70}},
                                           OffsetCase{62, 1, {54}}));

class Identifier : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(Identifier, IsTheNameUpToItsFirstDot) {
  EXPECT_EQ(PictureIdentifier(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Identifier,
    ::testing::Values(std::pair<std::string, std::string>{"logo.bmp", "logo"},
                      std::pair<std::string, std::string>{"icon.16.bmp", "icon"},
                      std::pair<std::string, std::string>{"my pic.bmp", "my pic"},
                      std::pair<std::string, std::string>{".bmp", ""},
                      std::pair<std::string, std::string>{"9-x.bmp", "9-x"},
                      std::pair<std::string, std::string>{"\xC3\xA9t\xC3\xA9.bmp",
                                                          "\xC3\xA9t\xC3\xA9"},
                      std::pair<std::string, std::string>{"\xFF\xFE.bmp", "\xFF\xFE"}));

struct ResultCase {
  uint16_t bitCount;
  int32_t width, height;
  uint32_t sizeImage;
  const wchar_t* text;
};

class ResultLine : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ResultLine, PadsEachFieldToItsMinimumDigits) {
  BitmapInfoHeader ih;
  ih.biHeight = GetParam().height;
  PictureHeader header;
  header.sourceBits = GetParam().bitCount;
  header.width = static_cast<uint32_t>(GetParam().width);
  header.height = PictureHeight(ih);
  header.storedSize = GetParam().sizeImage;
  EXPECT_EQ(ResultText(header).str(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ResultLine,
    ::testing::Values(ResultCase{24, 100, 50, 15000, L"[24 bit,(100*050),Size:0015000]: "},
                      ResultCase{24, 2, 1, 8, L"[24 bit,(002*001),Size:0000008]: "},
                      ResultCase{24, 1000, 1000, 3000000, L"[24 bit,(1000*1000),Size:3000000]: "},
                      ResultCase{24, 1, 1, 12345678, L"[24 bit,(001*001),Size:12345678]: "},
                      ResultCase{8, 0, 0, 0, L"[08 bit,(000*000),Size:0000000]: "},
                      ResultCase{32, 2, -50, 400, L"[32 bit,(002*050),Size:0000400]: "}));

}  // namespace
