#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/array_text.h"
#include "engine/pixel_encoder.h"

namespace {

TEST(BytesPerPixel, ThreeTwoOneAndTwoForAnyOtherDepth) {
  EXPECT_EQ(BytesPerPixel(24), 3);
  EXPECT_EQ(BytesPerPixel(16), 2);
  EXPECT_EQ(BytesPerPixel(8), 1);
  for (int other : {0, 1, 15, 32, 255}) EXPECT_EQ(BytesPerPixel(other), 2) << other;
}

struct ColourCase {
  uint8_t r, g, b;
  uint16_t rgb565;
  uint8_t r3g2b3;
};

class PixelColour : public ::testing::TestWithParam<ColourCase> {};

TEST_P(PixelColour, EncodesAtSixteenAndEightBits) {
  const ColourCase& c = GetParam();
  EXPECT_EQ(EncodeRgb565(c.r, c.g, c.b), c.rgb565);
  EXPECT_EQ(EncodeR3G2B3(c.r, c.g, c.b), c.r3g2b3);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, PixelColour,
    ::testing::Values(ColourCase{255, 255, 255, 0xFFFF, 0xFF}, ColourCase{0, 0, 0, 0x0000, 0x00},
                      ColourCase{255, 0, 0, 0xF800, 0xE0}, ColourCase{0, 255, 0, 0x07E0, 0x18},
                      ColourCase{0, 0, 255, 0x001F, 0x07}, ColourCase{250, 250, 250, 0xFFDF, 0xD6},
                      ColourCase{128, 128, 128, 0x8410, 0x6B},
                      ColourCase{0xFF, 0x80, 0x00, 0xFC00, 0xE8},
                      ColourCase{0x12, 0x34, 0x56, 0x11AA, 0x02}));

// The 8-bit levels are divisions by 36 (red, blue) and 85 (green); every
// bound of every level is checked on its own channel.
struct LevelCase {
  int value;
  int redBlueLevel;
  int greenLevel;
};

class EightBitLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(EightBitLevel, EachChannelFallsInItsLevel) {
  const auto v = static_cast<uint8_t>(GetParam().value);
  EXPECT_EQ(EncodeR3G2B3(v, 0, 0), GetParam().redBlueLevel << 5);
  EXPECT_EQ(EncodeR3G2B3(0, 0, v), GetParam().redBlueLevel);
  EXPECT_EQ(EncodeR3G2B3(0, v, 0), GetParam().greenLevel << 3);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, EightBitLevel,
    ::testing::Values(LevelCase{0, 0, 0}, LevelCase{35, 0, 0}, LevelCase{36, 1, 0},
                      LevelCase{71, 1, 0}, LevelCase{72, 2, 0}, LevelCase{84, 2, 0},
                      LevelCase{85, 2, 1}, LevelCase{107, 2, 1}, LevelCase{108, 3, 1},
                      LevelCase{143, 3, 1}, LevelCase{144, 4, 1}, LevelCase{169, 4, 1},
                      LevelCase{170, 4, 2}, LevelCase{179, 4, 2}, LevelCase{180, 5, 2},
                      LevelCase{215, 5, 2}, LevelCase{216, 6, 2}, LevelCase{251, 6, 2},
                      LevelCase{252, 7, 2}, LevelCase{254, 7, 2}, LevelCase{255, 7, 3}));

const std::vector<Pixel> kTwoPixels = {Pixel{0xFF, 0x80, 0x00}, Pixel{0x12, 0x34, 0x56}};

struct RowCase {
  int depth;
  std::vector<uint8_t> bytes;  // the first width x bpp bytes after encoding
  const char* text;            // the row's value text, narrow picture
};

class EncodedRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(EncodedRow, EncodesAndWritesValueText) {
  const RowCase& c = GetParam();
  const auto encoder = EncoderForDepth(c.depth);
  ASSERT_EQ(encoder->BytesPerPixel(), BytesPerPixel(c.depth));
  std::vector<uint8_t> row(8, 0xEE);
  encoder->EncodeRow(kTwoPixels.data(), 2, row.data());
  EXPECT_EQ(std::vector<uint8_t>(row.begin(), row.begin() + c.bytes.size()), c.bytes);
  EXPECT_EQ(row[c.bytes.size()], 0xEE) << "nothing written past the row";

  ArrayText text;
  EXPECT_EQ(text.Begin(2), "");
  std::string out = "kept";
  text.AppendRow(row.data(), 2, encoder->BytesPerPixel(), out);
  EXPECT_EQ(out, std::string("kept") + c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, EncodedRow,
    ::testing::Values(
        RowCase{16, {0xFC, 0x00, 0x11, 0xAA}, "\n\t0xfc,0x00, 0x11,0xaa, "},
        RowCase{24, {0xFF, 0x80, 0x00, 0x12, 0x34, 0x56}, "\n\t0xff,0x80,0x00, 0x12,0x34,0x56, "},
        RowCase{8, {0xE8, 0x02}, "\n\t0xe8,0x02,"},
        RowCase{32, {0xFC, 0x00, 0x11, 0xAA}, "\n\t0xfc,0x00, 0x11,0xaa, "}));

TEST(EncodeRow, LongRowEncodesEveryPixelAtItsOwnPlace) {
  const uint32_t width = 100;
  std::vector<Pixel> row(width);
  for (uint32_t j = 0; j < width; ++j) {
    row[j] =
        Pixel{static_cast<uint8_t>(2 * j), static_cast<uint8_t>(255 - j), static_cast<uint8_t>(j)};
  }
  for (int depth : {24, 16, 8}) {
    std::vector<uint8_t> out(width * 3);
    EncoderForDepth(depth)->EncodeRow(row.data(), width, out.data());
    const int bpp = BytesPerPixel(depth);
    for (uint32_t j = 0; j < width; ++j) {
      const uint8_t r = row[j].r, g = row[j].g, b = row[j].b;
      const uint8_t* px = out.data() + j * bpp;
      if (depth == 24) {
        EXPECT_EQ(px[0], r);
        EXPECT_EQ(px[1], g);
        EXPECT_EQ(px[2], b);
      } else if (depth == 16) {
        EXPECT_EQ(px[0] << 8 | px[1], EncodeRgb565(r, g, b));
      } else {
        EXPECT_EQ(px[0], EncodeR3G2B3(r, g, b));
      }
      if (HasFailure()) FAIL() << "depth " << depth << ", pixel " << j;
    }
  }
}

// The value counts of the lines that "\n\t" starts, in order; the text
// before the first "\n\t" comes first.
std::vector<int> ValuesPerLine(const std::string& text) {
  std::vector<int> counts{0};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\n\t") == 0) {
      counts.push_back(0);
      ++i;
    } else if (text[i] == ',') {
      ++counts.back();
    }
  }
  return counts;
}

struct WrapCase {
  uint32_t width;
  int height;
  std::vector<int> valuesPerLine;
};

class ArrayLayout : public ::testing::TestWithParam<WrapCase> {};

TEST_P(ArrayLayout, BreaksLinesPerRowOrEveryThirtyTwoPixels) {
  const WrapCase& c = GetParam();
  std::vector<uint8_t> row(static_cast<size_t>(c.width) * 3, 0x5A);
  ArrayText text;
  // A picture converted before must not leave its count behind.
  const std::vector<uint8_t> earlier(7, 0x11);
  text.Begin(40);
  std::string ignored;
  text.AppendRow(earlier.data(), 7, 1, ignored);

  std::string out(text.Begin(c.width));
  for (int k = 0; k < c.height; ++k) {
    text.AppendRow(row.data(), c.width, 1, out);
  }
  EXPECT_EQ(ValuesPerLine(out), c.valuesPerLine) << out;
}

INSTANTIATE_TEST_SUITE_P(
    Widths, ArrayLayout,
    ::testing::Values(WrapCase{32, 2, {0, 32, 32}}, WrapCase{33, 2, {0, 32, 32, 2}},
                      WrapCase{64, 1, {0, 32, 32, 0}}, WrapCase{40, 3, {0, 32, 32, 32, 24}},
                      WrapCase{33, 0, {0, 0}}, WrapCase{5, 0, {0}}, WrapCase{0, 3, {0, 0, 0, 0}}));

TEST(ArrayText, WideLineBreaksFollowTheThirtySecondPixelAcrossRowEnds) {
  // Width 33, two rows: the second break follows pixel 32 of row 0 (its
  // last), the third follows the 31st pixel of row 1.
  std::vector<uint8_t> row0(33), row1(33);
  for (int j = 0; j < 33; ++j) {
    row0[j] = static_cast<uint8_t>(j);
    row1[j] = static_cast<uint8_t>(0x80 + j);
  }
  ArrayText text;
  std::string out(text.Begin(33));
  text.AppendRow(row0.data(), 33, 1, out);
  text.AppendRow(row1.data(), 33, 1, out);
  EXPECT_EQ(out.substr(0, 2), "\n\t");
  EXPECT_NE(out.find("0x1f,\n\t0x20,0x80,"), std::string::npos) << out;
  EXPECT_NE(out.find("0x9e,\n\t0x9f,0xa0,"), std::string::npos) << out;
  EXPECT_EQ(out.substr(out.size() - 5), "0xa0,");
}

}  // namespace

namespace {

// The formats without alpha show a transparent pixel over the background,
// rounding each channel exactly.
TEST(EncodeRow, TransparencyIsCompositedOverTheBackground) {
  const Background blue{0, 0, 255};
  const std::vector<Pixel> row = {Pixel{255, 0, 0, 128}, Pixel{10, 20, 30, 0},
                                  Pixel{10, 20, 30, 255}, Pixel{200, 100, 50, 1}};
  std::vector<uint8_t> out(12);
  EncoderForDepth(24, blue)->EncodeRow(row.data(), 4, out.data());
  EXPECT_EQ(out, (std::vector<uint8_t>{128, 0, 127, 0, 0, 255, 10, 20, 30, 1, 0, 254}));
}

}  // namespace
