// The output formats and dithering, against bytes worked out by hand or from
// the arithmetic the README documents, never from the encoders.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/pixel_format.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Encodes `rows` rows of `width` pixels as one picture.
Bytes Encode(PixelEncoder& encoder, const std::vector<Pixel>& pixels, uint32_t width,
             uint32_t rows) {
  Bytes out(size_t{width} * rows * encoder.BytesPerPixel());
  encoder.BeginPicture(width);
  for (uint32_t k = 0; k < rows; ++k) {
    encoder.EncodeRow(pixels.data() + k * width, width,
                      out.data() + size_t{k} * width * encoder.BytesPerPixel());
  }
  return out;
}

struct FormatCase {
  const char* name;
  int bits;
  Bytes row;  // the three pixels of kRow, the last composited over blue unless stored with alpha
};

// Orange, a dark blue and a half-transparent brown; the brown over blue is
// (100, 50, 152).
const std::vector<Pixel> kRow = {
    {0xFF, 0x80, 0x00, 255}, {0x12, 0x34, 0x56, 255}, {200, 100, 50, 128}};

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, StoresKnownColoursInItsByteOrder) {
  const FormatCase& c = GetParam();
  const std::optional<PixelFormat> format = FormatNamed(c.name);
  ASSERT_TRUE(format);
  EXPECT_STREQ(FormatName(*format), c.name);
  EXPECT_EQ(FormatBits(*format), c.bits);
  auto encoder = EncoderFor(*format, Dither::kNone, Background{0, 0, 255});
  EXPECT_EQ(encoder->BytesPerPixel() * 3, static_cast<int>(c.row.size()));
  EXPECT_EQ(FormatBytesPerPixel(*format), encoder->BytesPerPixel());
  Bytes out(c.row.size() + 1, 0xEE);
  encoder->BeginPicture(3);
  encoder->EncodeRow(kRow.data(), 3, out.data());
  EXPECT_EQ(Bytes(out.begin(), out.end() - 1), c.row);
  EXPECT_EQ(out.back(), 0xEE) << "nothing written past the row";
}

INSTANTIATE_TEST_SUITE_P(
    All, Format,
    ::testing::Values(
        FormatCase{"rgb565", 16, {0xFC, 0x00, 0x11, 0xAA, 0x61, 0x93}},
        FormatCase{"rgb565le", 16, {0x00, 0xFC, 0xAA, 0x11, 0x93, 0x61}},
        FormatCase{"bgr565", 16, {0x04, 0x1F, 0x51, 0xA2, 0x99, 0x8C}},
        FormatCase{"bgr565le", 16, {0x1F, 0x04, 0xA2, 0x51, 0x8C, 0x99}},
        FormatCase{"rgb888", 24, {0xFF, 0x80, 0x00, 0x12, 0x34, 0x56, 0x64, 0x32, 0x98}},
        FormatCase{"bgr888", 24, {0x00, 0x80, 0xFF, 0x56, 0x34, 0x12, 0x98, 0x32, 0x64}},
        FormatCase{"r3g2b3", 8, {0xE8, 0x02, 0x44}}, FormatCase{"rgb332", 8, {0xF0, 0x05, 0x66}},
        FormatCase{"argb8888",
                   32,
                   {0x00, 0x80, 0xFF, 0xFF, 0x56, 0x34, 0x12, 0xFF, 0x32, 0x64, 0xC8, 0x80}},
        FormatCase{"rgba8888",
                   32,
                   {0xFF, 0x80, 0x00, 0xFF, 0x12, 0x34, 0x56, 0xFF, 0xC8, 0x64, 0x32, 0x80}},
        // The colour plane's row, then the alpha plane's.
        FormatCase{"rgb565a8", 24, {0xFC, 0x00, 0x11, 0xAA, 0xCB, 0x26, 0xFF, 0xFF, 0x80}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Format, UnknownNamesAndTheDepthsOfTheDialog) {
  for (const char* name : {"", "RGB565", "rgb565 ", "rgb", "argb"}) {
    EXPECT_FALSE(FormatNamed(name)) << name;
  }
  EXPECT_EQ(FormatOfDepth(24), PixelFormat::kRgb888);
  EXPECT_EQ(FormatOfDepth(16), PixelFormat::kRgb565);
  EXPECT_EQ(FormatOfDepth(8), PixelFormat::kR3g2b3);
  EXPECT_EQ(FormatOfDepth(12), PixelFormat::kRgb565);
  for (const char* name : {"none", "ordered", "diffusion"}) {
    ASSERT_TRUE(DitherNamed(name)) << name;
    EXPECT_STREQ(DitherName(*DitherNamed(name)), name);
  }
  EXPECT_FALSE(DitherNamed("floyd"));
}

// A 5 x 3 picture whose channels climb and fall at different rates.
std::vector<Pixel> SmallPicture() {
  std::vector<Pixel> pixels;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      pixels.push_back(Pixel{static_cast<uint8_t>(37 * x + 23 * y + 11),
                             static_cast<uint8_t>(90 + 29 * x - 41 * y),
                             static_cast<uint8_t>(200 - 17 * x + 13 * y)});
    }
  }
  return pixels;
}

struct DitherCase {
  const char* format;
  Dither dither;
  Bytes bytes;
};

class Dithering : public ::testing::TestWithParam<DitherCase> {};

TEST_P(Dithering, GivesTheDocumentedBytes) {
  const DitherCase& c = GetParam();
  auto encoder = EncoderFor(*FormatNamed(c.format), c.dither);
  const std::vector<Pixel> picture = SmallPicture();
  EXPECT_EQ(Encode(*encoder, picture, 5, 3), c.bytes);
  EXPECT_EQ(Encode(*encoder, picture, 5, 3), c.bytes) << "a second picture starts afresh";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Dithering,
    ::testing::Values(DitherCase{"rgb332",
                                 Dither::kNone,
                                 {0x0B, 0x2E, 0x52, 0x76, 0x9A, 0x27, 0x4B, 0x6E, 0x92, 0xB6, 0x23,
                                  0x47, 0x8B, 0xAA, 0xCE}},
                      DitherCase{"rgb332",
                                 Dither::kOrdered,
                                 {0x2F, 0x2E, 0x72, 0x76, 0xBA, 0x26, 0x4B, 0x6E, 0x92, 0xB1, 0x47,
                                  0x46, 0x8B, 0xAE, 0xD2}},
                      DitherCase{"rgb332",
                                 Dither::kDiffusion,
                                 {0x0A, 0x2E, 0x72, 0x76, 0x99, 0x2B, 0x4A, 0x6E, 0x92, 0xB2, 0x43,
                                  0x46, 0x8B, 0xAE, 0xCE}},
                      DitherCase{"r3g2b3",
                                 Dither::kOrdered,
                                 {0x36, 0x2D, 0x75, 0x74, 0xBC, 0x26, 0x4E, 0x6D, 0x95, 0xB4, 0x46,
                                  0x46, 0x8E, 0xAD, 0xD5}},
                      DitherCase{"r3g2b3",
                                 Dither::kDiffusion,
                                 {0x0D, 0x2D, 0x75, 0x74, 0x94, 0x2E, 0x4D, 0x6D, 0x94, 0xB4, 0x46,
                                  0x46, 0x8D, 0xAD, 0xCC}},
                      DitherCase{"rgb565le",
                                 Dither::kOrdered,
                                 {0xF9, 0x12, 0xB6, 0x33, 0xB4, 0x5C, 0x92, 0x7D, 0x70, 0xA6,
                                  0x9A, 0x21, 0x78, 0x4A, 0x55, 0x6B, 0x54, 0x94, 0x11, 0xB5,
                                  0x5C, 0x38, 0x39, 0x59, 0x38, 0x82, 0xF5, 0xA2, 0xF3, 0xCB}},
                      DitherCase{"rgb565le",
                                 Dither::kDiffusion,
                                 {0xD8, 0x0A, 0xD6, 0x33, 0x94, 0x54, 0x92, 0x7D, 0x70, 0x9E,
                                  0x9A, 0x21, 0x78, 0x4A, 0x76, 0x6B, 0x34, 0x94, 0x32, 0xB5,
                                  0x5C, 0x38, 0x39, 0x59, 0x17, 0x82, 0x15, 0xAB, 0xF3, 0xCB}}),
    [](const auto& info) {
      return std::string(info.param.format) + "_" + DitherName(info.param.dither);
    });

// What a display shows for each pixel: each channel's level widened back to
// 8 bits as level * 255 / max, rounded to nearest.
struct Shown {
  int shifts[3];  // bit position of red, green, blue in the value
  int maxima[3];  // highest level of each
};

int ShownChannel(uint32_t value, const Shown& shown, int c) {
  const int max = shown.maxima[c];
  const int level = static_cast<int>(value >> shown.shifts[c]) & max;
  return (level * 255 + max / 2) / max;
}

// The mean absolute difference, over 8 x 8 blocks and channels, between the
// block means of the picture and of what the display shows.
double BlockError(const std::vector<Pixel>& picture, const Bytes& bytes, int bpp, int width,
                  int height, const Shown& shown) {
  double total = 0;
  int blocks = 0;
  for (int by = 0; by < height; by += 8) {
    for (int bx = 0; bx < width; bx += 8) {
      for (int c = 0; c < 3; ++c) {
        long wanted = 0, got = 0;
        for (int y = by; y < by + 8; ++y) {
          for (int x = bx; x < bx + 8; ++x) {
            const size_t i = size_t(y) * width + x;
            const Pixel& p = picture[i];
            wanted += c == 0 ? p.r : c == 1 ? p.g : p.b;
            const uint32_t value = bpp == 1 ? bytes[i] : bytes[2 * i] << 8 | bytes[2 * i + 1];
            got += ShownChannel(value, shown, c);
          }
        }
        total += std::labs(wanted - got) / 64.0;
        ++blocks;
      }
    }
  }
  return total / blocks;
}

struct GradientCase {
  const char* format;
  Shown shown;
};

class SmoothGradient : public ::testing::TestWithParam<GradientCase> {};

// Each dithering mode brings the colour of every 8 x 8 block to within a
// third of the error plain rounding leaves.
TEST_P(SmoothGradient, DitheringCutsTheBlockErrorToAThird) {
  const int width = 256, height = 16;
  std::vector<Pixel> picture;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.push_back(Pixel{static_cast<uint8_t>(x), static_cast<uint8_t>(255 - x),
                              static_cast<uint8_t>((x + 64 * y / height) % 256)});
    }
  }
  const PixelFormat format = *FormatNamed(GetParam().format);
  const int bpp = FormatBytesPerPixel(format);
  auto plain = EncoderFor(format, Dither::kNone);
  const double plainError = BlockError(picture, Encode(*plain, picture, width, height), bpp, width,
                                       height, GetParam().shown);
  for (Dither dither : {Dither::kOrdered, Dither::kDiffusion}) {
    auto encoder = EncoderFor(format, dither);
    const Bytes bytes = Encode(*encoder, picture, width, height);
    EXPECT_EQ(Encode(*EncoderFor(format, dither), picture, width, height), bytes)
        << "deterministic";
    const double error = BlockError(picture, bytes, bpp, width, height, GetParam().shown);
    EXPECT_LE(error, plainError / 3) << DitherName(dither) << " against " << plainError;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, SmoothGradient,
                         ::testing::Values(GradientCase{"rgb565", {{11, 5, 0}, {31, 63, 31}}},
                                           GradientCase{"r3g2b3", {{5, 3, 0}, {7, 3, 7}}},
                                           GradientCase{"rgb332", {{5, 2, 0}, {7, 7, 3}}}),
                         [](const auto& info) { return std::string(info.param.format); });

// Channels of 8 bits have nothing to spread: dithering leaves them exact.
TEST(Dithering, LeavesEightBitChannelsAsTheyAre) {
  const std::vector<Pixel> picture = SmallPicture();
  for (Dither dither : {Dither::kOrdered, Dither::kDiffusion}) {
    EXPECT_EQ(Encode(*EncoderFor(PixelFormat::kRgba8888, dither), picture, 5, 3),
              Encode(*EncoderFor(PixelFormat::kRgba8888, Dither::kNone), picture, 5, 3));
  }
}

}  // namespace
