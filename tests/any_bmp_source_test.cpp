#include "engine/any_bmp_source.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "tests/support/bmp_variants.h"
#include "tests/support/bmp_writer.h"

namespace {

using testing_support::BmpVariant;
using testing_support::EncodeBmpVariant;
using testing_support::PatternPicture;
using testing_support::RgbaPicture;
namespace ts = testing_support;

// Colours any 8-bit channel holds; and ones every mask width holds exactly.
const std::vector<Pixel> kColours = {{12, 200, 77, 255},   {255, 0, 128, 255}, {3, 4, 5, 255},
                                     {250, 251, 252, 255}, {90, 45, 180, 255}, {0, 0, 0, 255},
                                     {17, 34, 51, 255}};
const std::vector<Pixel> kExtremes = {{0, 0, 0, 255},     {255, 0, 0, 255}, {0, 255, 255, 255},
                                      {255, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
const std::vector<Pixel> kTranslucent = {
    {12, 200, 77, 255}, {255, 0, 128, 0}, {3, 4, 5, 128}, {250, 251, 252, 1}, {90, 45, 180, 77}};

std::vector<Pixel> Palette(const std::vector<Pixel>& colours, size_t entries) {
  std::vector<Pixel> palette = colours;
  palette.resize(entries, Pixel{9, 9, 9, 255});
  return palette;
}

struct VariantCase {
  const char* name;
  BmpVariant variant;
  std::vector<Pixel> colours;
  bool alphaKept = false;  // the format carries alpha
  int width = 13;
  int height = 7;
};

// What a reader yields: formats without alpha are opaque; RLE pixels that
// were skipped are transparent black.
Pixel Expected(const VariantCase& c, Pixel px) {
  const bool rle = c.variant.compression == ts::kBiRle8 || c.variant.compression == ts::kBiRle4;
  if (rle && px.a == 0) return Pixel{0, 0, 0, 0};
  if (!c.alphaKept) px.a = 255;
  return px;
}

class AnyBmpVariant : public ::testing::TestWithParam<VariantCase> {};

TEST_P(AnyBmpVariant, YieldsTheColoursWrittenTopRowFirst) {
  const VariantCase& c = GetParam();
  const RgbaPicture picture = PatternPicture(c.width, c.height, c.colours);
  const std::vector<uint8_t> file = EncodeBmpVariant(c.variant, picture);
  MemoryByteSource bytes(file);
  AnyBmpSource source(bytes);
  ASSERT_EQ(source.Open().str(), L"");
  EXPECT_EQ(source.header().width, uint32_t(c.width));
  EXPECT_EQ(source.header().height, uint32_t(c.height));
  EXPECT_EQ(source.header().sourceBits, c.variant.bits);
  // The writer puts the pixel data last, so its size is what follows bfOffBits.
  const uint32_t offset = file[10] | file[11] << 8;
  EXPECT_EQ(source.header().storedSize, file.size() - offset);
  std::vector<Pixel> row(c.width);
  for (int y = 0; y < c.height; ++y) {
    ASSERT_TRUE(source.ReadRow(y, row.data()));
    for (int x = 0; x < c.width; ++x) {
      const Pixel want = Expected(c, picture.at(x, y));
      const Pixel& got = row[x];
      ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b && got.a == want.a)
          << "pixel " << x << "," << y << ": got " << int(got.r) << " " << int(got.g) << " "
          << int(got.b) << " " << int(got.a);
    }
  }
}

BmpVariant V(uint32_t headerSize, uint16_t bits, uint32_t compression = ts::kBiRgb) {
  BmpVariant v;
  v.headerSize = headerSize;
  v.bits = bits;
  v.compression = compression;
  return v;
}

BmpVariant WithPalette(BmpVariant v, size_t entries, bool colorsUsed = false) {
  v.palette = Palette(kColours, entries);
  v.writeColorsUsed = colorsUsed;
  return v;
}

BmpVariant WithMasks(BmpVariant v, std::array<uint32_t, 4> masks) {
  v.masks = masks;
  return v;
}

BmpVariant TopDown(BmpVariant v) {
  v.topDown = true;
  return v;
}

BmpVariant NoSizeAndGap(BmpVariant v) {
  v.zeroSizeImage = true;
  v.gap = 10;
  return v;
}

std::vector<Pixel> Two() {
  return {kColours[0], kColours[1]};
}

std::vector<Pixel> WithHoles() {
  std::vector<Pixel> colours = kColours;
  colours.push_back(Pixel{0, 0, 0, 0});
  return colours;
}

INSTANTIATE_TEST_SUITE_P(
    Variants, AnyBmpVariant,
    ::testing::Values(
        VariantCase{"core24", V(12, 24), kColours},
        VariantCase{"core8", WithPalette(V(12, 8), 256), kColours},
        VariantCase{"core1", WithPalette(V(12, 1), 2), Two()},
        VariantCase{"info1", WithPalette(V(40, 1), 2), Two(), false, 37, 5},
        VariantCase{"info2", WithPalette(V(40, 2), 4), {kColours.begin(), kColours.begin() + 4}},
        VariantCase{"info4_short_used", WithPalette(V(40, 4), 7, true), kColours, false, 9, 4},
        VariantCase{"info8_short_used", WithPalette(V(40, 8), 7, true), kColours},
        VariantCase{"info8_short_by_offset", WithPalette(V(40, 8), 7), kColours},
        VariantCase{"info8_topdown", TopDown(WithPalette(V(40, 8), 256)), kColours},
        VariantCase{"rgb16", V(40, 16), kExtremes},
        VariantCase{"bitfields565", WithMasks(V(40, 16, ts::kBiBitfields), {0xF800, 0x7E0, 0x1F}),
                    kExtremes},
        VariantCase{"bitfields1555",
                    WithMasks(V(40, 16, ts::kBiAlphaBitfields), {0x7C00, 0x3E0, 0x1F, 0x8000}),
                    {{255, 0, 0, 255}, {0, 255, 255, 0}, {0, 0, 0, 255}},
                    true},
        VariantCase{"v2_444", WithMasks(V(52, 16, ts::kBiBitfields), {0xF00, 0xF0, 0xF}),
                    kExtremes},
        VariantCase{"wide10", WithMasks(V(40, 32, ts::kBiBitfields), {0x3FF00000, 0xFFC00, 0x3FF}),
                    kColours},
        VariantCase{
            "alphabitfields",
            WithMasks(V(40, 32, ts::kBiAlphaBitfields), {0xFF0000, 0xFF00, 0xFF, 0xFF000000}),
            kTranslucent, true},
        VariantCase{"v3_alpha",
                    WithMasks(V(56, 32, ts::kBiBitfields), {0xFF, 0xFF00, 0xFF0000, 0xFF000000}),
                    kTranslucent, true},
        VariantCase{"v4_rgb32_ignores_fourth_byte", V(108, 32), kTranslucent},
        VariantCase{
            "v5_alpha_topdown",
            TopDown(WithMasks(V(124, 32, ts::kBiBitfields), {0xFF0000, 0xFF00, 0xFF, 0xFF000000})),
            kTranslucent, true},
        VariantCase{"v5_24_no_size_gap", NoSizeAndGap(V(124, 24)), kColours, false, 10, 3},
        VariantCase{"info8_no_size_gap", NoSizeAndGap(WithPalette(V(40, 8), 9, true)), kColours},
        VariantCase{"rle8", WithPalette(V(40, 8, ts::kBiRle8), 8, true), WithHoles(), false, 41, 9},
        VariantCase{"rle4", WithPalette(V(40, 4, ts::kBiRle4), 8, true), WithHoles(), false, 41, 9},
        VariantCase{"rle8_v5_no_size", NoSizeAndGap(WithPalette(V(124, 8, ts::kBiRle8), 256)),
                    WithHoles()},
        VariantCase{"rle4_wide_runs", WithPalette(V(40, 4, ts::kBiRle4), 16), kColours, false, 600,
                    3}),
    [](const ::testing::TestParamInfo<VariantCase>& info) { return std::string(info.param.name); });

// Hand-made files for what the writer never produces.
std::vector<uint8_t> Rle8(int width, int height, std::vector<uint8_t> codes, int entries = 4,
                          bool four = false) {
  BmpVariant v = WithPalette(four ? V(40, 4, ts::kBiRle4) : V(40, 8, ts::kBiRle8), entries, true);
  std::vector<uint8_t> file = EncodeBmpVariant(v, PatternPicture(1, 1, {Pixel{0, 0, 0, 0}}));
  ts::PutU32(file, 18, uint32_t(width));
  ts::PutU32(file, 22, uint32_t(height));
  const uint32_t offset = file[10] | file[11] << 8;
  file.resize(offset);
  file.insert(file.end(), codes.begin(), codes.end());
  ts::PutU32(file, 34, uint32_t(codes.size()));
  return file;
}

std::vector<uint8_t> Set32(std::vector<uint8_t> file, size_t at, uint32_t value) {
  ts::PutU32(file, at, value);
  return file;
}

std::vector<uint8_t> Set16(std::vector<uint8_t> file, size_t at, uint16_t value) {
  ts::PutU16(file, at, value);
  return file;
}

std::vector<uint8_t> Plain(BmpVariant v) {
  return EncodeBmpVariant(v, PatternPicture(5, 3, kColours));
}

struct RejectCase {
  const char* name;
  std::function<std::vector<uint8_t>()> file;
  const wchar_t* reason;
};

class AnyBmpRejection : public ::testing::TestWithParam<RejectCase> {};

TEST_P(AnyBmpRejection, NamesTheReason) {
  const std::vector<uint8_t> file = GetParam().file();
  MemoryByteSource bytes(file);
  AnyBmpSource source(bytes);
  EXPECT_EQ(source.Open().str(), std::wstring(L" bmp: ") + GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AnyBmpRejection,
    ::testing::Values(
        RejectCase{"short",
                   [] {
                     return std::vector<uint8_t>{'B', 'M', 0, 0};
                   },
                   L"file is shorter than its headers"},
        RejectCase{"os2v2", [] { return Set32(Plain(V(40, 24)), 14, 64); },
                   L"info header of 64 bytes is not supported"},
        RejectCase{"bi_jpeg", [] { return Set32(Plain(V(40, 24)), 30, 4); },
                   L"embedded JPEG (BI_JPEG) is not supported"},
        RejectCase{"bi_png", [] { return Set32(Plain(V(40, 24)), 30, 5); },
                   L"embedded PNG (BI_PNG) is not supported"},
        RejectCase{"cmyk", [] { return Set32(Plain(V(40, 32)), 30, 11); },
                   L"CMYK is not supported"},
        RejectCase{"cmyk_rle", [] { return Set32(Plain(WithPalette(V(40, 8), 7)), 30, 12); },
                   L"CMYK is not supported"},
        RejectCase{"bits", [] { return Set16(Plain(V(40, 24)), 28, 12); },
                   L"12 bits per pixel is not supported"},
        RejectCase{"rle8_bits", [] { return Set32(Plain(V(40, 24)), 30, 1); },
                   L"RLE8 needs 8 bits per pixel, not 24"},
        RejectCase{"masks_bits", [] { return Set32(Plain(V(40, 24)), 30, 3); },
                   L"bit-field masks need 16 or 32 bits per pixel, not 24"},
        RejectCase{"planes", [] { return Set16(Plain(V(40, 24)), 26, 3); },
                   L"biPlanes is 3, not 1"},
        RejectCase{"wide", [] { return Set32(Plain(V(40, 24)), 18, 65536); },
                   L"picture is wider or higher than 65535 pixels"},
        RejectCase{"negative_width", [] { return Set32(Plain(V(40, 24)), 18, 0xFFFFFFFF); },
                   L"width is negative"},
        RejectCase{"min_height", [] { return Set32(Plain(V(40, 24)), 22, 0x80000000); },
                   L"picture is wider or higher than 65535 pixels"},
        RejectCase{"pixels", [] { return Set32(Set32(Plain(V(40, 24)), 18, 65535), 22, 4097); },
                   L"picture has more than 268435456 pixels"},
        RejectCase{"huge_but_small",
                   [] { return Set32(Set32(Plain(V(40, 24)), 18, 65535), 22, 4096); },
                   L"pixel data runs past the end of the file"},
        RejectCase{"offset_in_headers", [] { return Set32(Plain(V(40, 24)), 10, 40); },
                   L"bfOffBits 40 points into the headers"},
        RejectCase{"offset_past_end", [] { return Set32(Plain(V(40, 24)), 10, 1000); },
                   L"bfOffBits is past the end of the file"},
        RejectCase{"masks_cut",
                   [] {
                     std::vector<uint8_t> file = Set32(Plain(V(40, 16)), 30, 3);
                     file.resize(60);
                     return file;
                   },
                   L"file is shorter than its headers"},
        RejectCase{"mask_gap",
                   [] {
                     return EncodeBmpVariant(
                         WithMasks(V(40, 16, ts::kBiBitfields), {0xF00F, 0x7E0, 0x1F}),
                         PatternPicture(2, 2, kExtremes));
                   },
                   L"a colour mask is not one run of bits"},
        RejectCase{"mask_past_16",
                   [] {
                     return EncodeBmpVariant(
                         WithMasks(V(40, 16, ts::kBiBitfields), {0xF0000, 0x7E0, 0x1F}),
                         PatternPicture(2, 2, kExtremes));
                   },
                   L"a colour mask has bits beyond the 16 of a pixel"},
        RejectCase{"table_short_of_used",
                   [] { return Set32(Plain(WithPalette(V(40, 8), 7, true)), 46, 8); },
                   L"8-bit colour table shorter than biClrUsed"},
        RejectCase{"no_table", [] { return Set32(Plain(WithPalette(V(40, 8), 7)), 10, 54); },
                   L"8-bit picture has no colour table"},
        RejectCase{"index_past_table",
                   [] {
                     std::vector<uint8_t> file = Plain(WithPalette(V(40, 8), 7, true));
                     file[file.size() - 8] = 7;  // the top row's first pixel
                     return file;
                   },
                   L"pixel index 7 is past the end of the 7-entry colour table"},
        RejectCase{"rle_index_past_table",
                   [] {
                     return Rle8(4, 1, {2, 5, 0, 1});
                   },
                   L"pixel index 5 is past the end of the 4-entry colour table"},
        RejectCase{"rle_run_past_padding",
                   [] {
                     return Rle8(5, 1, {9, 1, 0, 1});
                   },
                   L"RLE run passes the end of a row by more than the row's padding"},
        RejectCase{"rle_literal_past_padding",
                   [] {
                     return Rle8(2, 1, {0, 5, 1, 1, 1, 1, 1, 0, 0, 1});
                   },
                   L"RLE run passes the end of a row by more than the row's padding"},
        RejectCase{"rle_past_end",
                   [] {
                     return Rle8(4, 1, {4, 1, 0, 0, 1, 1, 0, 1});
                   },
                   L"RLE data goes past the end of the picture"},
        RejectCase{"rle_delta_past_end",
                   [] {
                     return Rle8(4, 2, {0, 2, 0, 2, 0, 1});
                   },
                   L"RLE delta moves past the end of the picture"},
        RejectCase{"rle_cut",
                   [] {
                     return Rle8(4, 2, {4, 1, 0, 0});
                   },
                   L"RLE data ends before its end-of-bitmap code"},
        RejectCase{"rle_cut_literal",
                   [] {
                     return Rle8(8, 1, {0, 6, 1, 1});
                   },
                   L"RLE data ends before its end-of-bitmap code"}),
    [](const ::testing::TestParamInfo<RejectCase>& info) { return std::string(info.param.name); });

// RLE codes what some encoders write: the whole padded row, and pixels
// skipped by a delta or an early end, which stay transparent.
TEST(AnyBmpRle, ClipsARunWithinThePaddingAndLeavesSkippedPixelsTransparent) {
  // Width 5 pads to 8 bytes: a run of 8 fits, the last 3 pixels are dropped.
  // The second row (stored first: bottom-up) holds one pixel after a delta.
  std::vector<uint8_t> file = Rle8(5, 2, {8, 1, 0, 0, 0, 2, 3, 0, 1, 2, 0, 1});
  MemoryByteSource bytes(file);
  AnyBmpSource source(bytes);
  ASSERT_EQ(source.Open().str(), L"");
  std::vector<Pixel> row(5);
  const std::vector<Pixel> palette = Palette(kColours, 4);
  ASSERT_TRUE(source.ReadRow(0, row.data()));
  for (int x = 0; x < 5; ++x) {
    const Pixel want = x == 3 ? palette[2] : Pixel{0, 0, 0, 0};
    EXPECT_TRUE(row[x].r == want.r && row[x].g == want.g && row[x].a == want.a) << x;
  }
  ASSERT_TRUE(source.ReadRow(1, row.data()));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(row[x].r, palette[1].r) << x;
}

// An end-of-bitmap code leaves a huge picture transparent: read row by row
// from the codes, it needs no buffer of its size.
TEST(AnyBmpRle, ATinyFileMayDeclareAHugeTransparentPicture) {
  std::vector<uint8_t> file = Rle8(65535, 4096, {1, 2, 0, 1});
  MemoryByteSource bytes(file);
  AnyBmpSource source(bytes);
  ASSERT_EQ(source.Open().str(), L"");
  std::vector<Pixel> row(65535);
  ASSERT_TRUE(source.ReadRow(4095, row.data()));
  EXPECT_EQ(row[0].r, Palette(kColours, 4)[2].r);
  EXPECT_EQ(row[1].a, 0);
  ASSERT_TRUE(source.ReadRow(0, row.data()));
  EXPECT_EQ(row[0].a, 0);
}

TEST(AnyBmpRle, Rle4RunsAlternateTheHighAndLowNibble) {
  std::vector<uint8_t> file = Rle8(5, 1, {3, 0x12, 2, 0x30, 0, 1}, 4, true);
  MemoryByteSource bytes(file);
  AnyBmpSource source(bytes);
  ASSERT_EQ(source.Open().str(), L"");
  std::vector<Pixel> row(5);
  ASSERT_TRUE(source.ReadRow(0, row.data()));
  const std::vector<Pixel> palette = Palette(kColours, 4);
  const int indices[] = {1, 2, 1, 3, 0};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(row[x].r, palette[indices[x]].r) << x;
}

TEST(WidenChannel, RepeatsNarrowBitsAndRoundsWideOnes) {
  EXPECT_EQ(WidenChannel(16, 5), 132);  // as the strict intake widens X1R5G5B5
  EXPECT_EQ(WidenChannel(1, 1), 255);
  EXPECT_EQ(WidenChannel(0x20, 6), 0x82);
  EXPECT_EQ(WidenChannel(0x201, 10), 128);  // 513 * 255 / 1023 = 127.87
  EXPECT_EQ(WidenChannel(0xFFFFFFFF, 32), 255);
  EXPECT_EQ(WidenChannel(0x7FFFFFFF, 32), 127);
}

// Damaged copies of good files: each is either read whole or rejected with a
// reason, never a crash or a read outside the file (the sanitizer suite
// runs this too).
TEST(AnyBmpDamage, TruncatedOrFlippedFilesAreReadOrRejectedCleanly) {
  const std::vector<BmpVariant> variants = {
      WithPalette(V(40, 8, ts::kBiRle8), 8, true), WithPalette(V(40, 4, ts::kBiRle4), 8, true),
      WithPalette(V(40, 8), 7, true),
      WithMasks(V(124, 32, ts::kBiBitfields), {0xFF0000, 0xFF00, 0xFF, 0xFF000000}),
      WithPalette(V(12, 4), 7)};
  for (const BmpVariant& v : variants) {
    const std::vector<uint8_t> good = EncodeBmpVariant(v, PatternPicture(19, 6, WithHoles()));
    std::vector<std::vector<uint8_t>> damaged;
    for (size_t cut = 0; cut < good.size(); cut += 7) {
      damaged.emplace_back(good.begin(), good.begin() + cut);
    }
    for (size_t bit = 0; bit < good.size() * 8; bit += 5) {
      damaged.push_back(good);
      damaged.back()[bit / 8] ^= uint8_t(1 << bit % 8);
    }
    int rejected = 0;
    for (const std::vector<uint8_t>& file : damaged) {
      MemoryByteSource bytes(file);
      AnyBmpSource source(bytes);
      const std::wstring reason = source.Open().str();
      if (!reason.empty()) {
        ++rejected;
        EXPECT_EQ(reason.rfind(L" bmp: ", 0), 0u) << reason;
        continue;
      }
      std::vector<Pixel> row(source.header().width);
      for (uint32_t y = 0; y < source.header().height; ++y) source.ReadRow(y, row.data());
    }
    // Every truncation short of the pixel data's end is a rejection.
    EXPECT_GE(rejected, int(good.size() / 7)) << v.bits;
  }
}

}  // namespace
