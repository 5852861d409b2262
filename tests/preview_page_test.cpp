// The preview page's pictures: every embedded PNG decoded with libspng and
// compared with the source pixels and with what the output bytes mean, worked
// out here from the formats as the firmware documentation states them.
#include "engine/preview_page.h"

#include <gtest/gtest.h>
#include <spng.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/format_decoder.h"
#include "engine/picture_preview.h"
#include "engine/pixel_format.h"
#include "tests/support/engine_run.h"

namespace {

using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::ReadFile;
using testing_support::Rgb;

// What the display shows for a colour at a depth.
Rgb OnDisplay(Rgb c, int depth) {
  if (depth == 24) return c;
  if (depth == 16) {
    int r = c.r >> 3, g = c.g >> 2, b = c.b >> 3;
    return Rgb{uint8_t((r << 3) | (r >> 2)), uint8_t((g << 2) | (g >> 4)),
               uint8_t((b << 3) | (b >> 2))};
  }
  auto level = [](int l, int top) { return uint8_t(std::lround(l * 255.0 / top)); };
  return Rgb{level(c.r / 36, 7), level(c.g / 85, 3), level(c.b / 36, 7)};
}

Rgb Gradient(int x, int y) {
  return Rgb{uint8_t(x * 7), uint8_t(y * 11 + x), uint8_t(255 - x * 3)};
}

std::string FromBase64(const std::string& text) {
  std::string bytes;
  uint32_t bits = 0;
  int count = 0;
  for (char c : text) {
    if (c == '=') break;
    const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    bits = (bits << 6) | static_cast<uint32_t>(std::string(digits).find(c));
    if ((count += 6) >= 8) bytes += static_cast<char>((bits >> (count -= 8)) & 0xFF);
  }
  return bytes;
}

struct Decoded {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgba;
  Rgb At(uint32_t x, uint32_t y) const {
    const uint8_t* p = &rgba[(size_t{y} * width + x) * 4];
    return Rgb{p[0], p[1], p[2]};
  }
};

Decoded DecodePng(const std::string& png) {
  Decoded out;
  std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> context(spng_ctx_new(0), spng_ctx_free);
  EXPECT_EQ(spng_set_png_buffer(context.get(), png.data(), png.size()), 0);
  spng_ihdr header = {};
  EXPECT_EQ(spng_get_ihdr(context.get(), &header), 0);
  size_t size = 0;
  EXPECT_EQ(spng_decoded_image_size(context.get(), SPNG_FMT_RGBA8, &size), 0);
  out.rgba.resize(size);
  EXPECT_EQ(spng_decode_image(context.get(), out.rgba.data(), size, SPNG_FMT_RGBA8, 0), 0);
  out.width = header.width;
  out.height = header.height;
  return out;
}

// The embedded pictures in page order, and the text of each "class" value.
std::vector<Decoded> Images(const std::string& page) {
  std::vector<Decoded> images;
  const std::string mark = "src=\"data:image/png;base64,";
  for (size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at)) {
    at += mark.size();
    images.push_back(DecodePng(FromBase64(page.substr(at, page.find('"', at) - at))));
  }
  return images;
}

std::vector<std::string> Facts(const std::string& page, const std::string& cls) {
  std::vector<std::string> values;
  const std::string mark = "<dd class=\"" + cls + "\">";
  for (size_t at = page.find(mark); at != std::string::npos; at = page.find(mark, at)) {
    at += mark.size();
    values.push_back(page.substr(at, page.find('<', at) - at));
  }
  return values;
}

class PreviewPixels : public ::testing::TestWithParam<int> {};

TEST_P(PreviewPixels, SourceAndDecodedBackMatchTheFormatAndTheErrorsAreMeasured) {
  const int depth = GetParam();
  EngineRun run;
  Picture gradient{30, 20, false, 24, Gradient};
  Picture wide{1100, 3, false, 24, Gradient};  // downscaled by 3 for the page
  run.Put("bmp/a.bmp", gradient);
  run.Put("bmp/b.bmp", wide);
  run.engine.m_nDepth = static_cast<uint8_t>(depth);
  ASSERT_EQ(run.engine.PreviewFolder(L"bmp", L"page.html"), 1);
  const std::string page = ReadFile(run.root() / "page.html");

  std::vector<Decoded> images = Images(page);
  ASSERT_EQ(images.size(), 4u);
  const struct {
    const Picture& picture;
    uint32_t step;
  } shown[] = {{gradient, 1}, {wide, 3}};
  for (int i = 0; i < 2; ++i) {
    const Decoded &source = images[2 * i], &decoded = images[2 * i + 1];
    const Picture& picture = shown[i].picture;
    const uint32_t step = shown[i].step;
    ASSERT_EQ(source.width, (picture.width + step - 1) / step);
    ASSERT_EQ(source.height, (picture.height + step - 1) / step);
    ASSERT_EQ(decoded.width, source.width);
    ASSERT_EQ(decoded.height, source.height);
    for (uint32_t y = 0; y < source.height; ++y) {
      for (uint32_t x = 0; x < source.width; ++x) {
        Rgb want = picture.pixel(x * step, y * step);
        Rgb got = source.At(x, y), display = decoded.At(x, y), expected = OnDisplay(want, depth);
        ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b) << i << " " << x;
        ASSERT_TRUE(display.r == expected.r && display.g == expected.g && display.b == expected.b)
            << "picture " << i << " at " << x << "," << y;
      }
    }
  }

  // The error over every pixel of the gradient, not only the shown ones.
  uint64_t sum = 0;
  int largest = 0;
  for (int y = 0; y < gradient.height; ++y) {
    for (int x = 0; x < gradient.width; ++x) {
      Rgb a = Gradient(x, y), b = OnDisplay(a, depth);
      for (int d : {a.r - b.r, a.g - b.g, a.b - b.b}) {
        sum += static_cast<uint64_t>(std::abs(d));
        largest = std::max(largest, std::abs(d));
      }
    }
  }
  char mean[32];
  std::snprintf(mean, sizeof mean, "%.2f", static_cast<double>(sum) / (30 * 20 * 3));
  EXPECT_EQ(Facts(page, "mean-error").at(0), mean);
  EXPECT_EQ(Facts(page, "largest-error").at(0), std::to_string(largest));
  const int bytes = depth / 8;
  EXPECT_EQ(Facts(page, "offset"),
            (std::vector<std::string>{"0x0000 (0)", [&] {
                                        char text[32];
                                        std::snprintf(text, sizeof text, "0x%.4x (%d)",
                                                      30 * 20 * bytes, 30 * 20 * bytes);
                                        return std::string(text);
                                      }()}));
  EXPECT_EQ(Facts(page, "binary-size").at(0),
            std::to_string((30 * 20 + 1100 * 3) * bytes) + " bytes");

  // The dialog's one-picture preview sees the same pixels.
  PicturePreview one = PreviewPicture(L"bmp/a.bmp", depth, Background{});
  ASSERT_TRUE(one.rejection.IsEmpty());
  ASSERT_EQ(one.decoded.size(), size_t{30 * 20});
  for (size_t k = 0; k < one.decoded.size(); ++k) {
    Rgb want = OnDisplay(Gradient(int(k % 30), int(k / 30)), depth);
    ASSERT_TRUE(one.decoded[k].r == want.r && one.decoded[k].g == want.g &&
                one.decoded[k].b == want.b)
        << k;
  }
  EXPECT_EQ(one.error.largest, largest);
  EXPECT_EQ(one.error.sum, sum);
}

INSTANTIATE_TEST_SUITE_P(Depths, PreviewPixels, ::testing::Values(24, 16, 8));

TEST(PreviewPicture, ReportsWhyAFileIsNotAPicture) {
  EngineRun run;
  run.Put("short.bmp", std::vector<uint8_t>{'B', 'M', 1, 2});
  EXPECT_FALSE(PreviewPicture(L"short.bmp", 16, Background{}).rejection.IsEmpty());
  EXPECT_EQ(PreviewPicture(L"missing.bmp", 16, Background{}).rejection,
            CString(L" bmp Image opening failed"));
}

TEST(HtmlText, EscapesMarkupAndReplacesWhatAPageMayNotHold) {
  EXPECT_EQ(HtmlText(L"a&b<c>\"d'e"), "a&amp;b&lt;c&gt;&quot;d&#39;e");
  EXPECT_EQ(HtmlText(CString(std::wstring{L'x', wchar_t(1), wchar_t(0x85), wchar_t(0xFFFE)})),
            "x\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(HtmlText(L"\u00e9\u4e2d"), "\u00e9\u4e2d");
}

}  // namespace

// Each format's decoder against what its bytes mean: the colour reduced to
// the format's levels, shown over the background where the format keeps
// alpha. Byte order, red/blue exchange and the planar layout all show here.
TEST(FormatDecoder, EveryFormatShowsWhatItsBytesMean) {
  const Background bg{0x20, 0x40, 0x80};
  const std::vector<Pixel> row = {{255, 255, 255, 255}, {200, 100, 50, 255}, {3, 130, 250, 255},
                                  {90, 180, 20, 128},   {255, 0, 0, 0},      {17, 34, 51, 200}};
  auto widen = [](int level, int top) { return uint8_t(std::lround(level * 255.0 / top)); };
  auto q565 = [&](Pixel p) {
    Rgb c = OnDisplay(Rgb{p.r, p.g, p.b}, 16);
    return Pixel{c.r, c.g, c.b, p.a};
  };
  const struct {
    PixelFormat format;
    bool alpha;
  } formats[] = {
      {PixelFormat::kRgb565, false},  {PixelFormat::kRgb565Le, false},
      {PixelFormat::kBgr565, false},  {PixelFormat::kBgr565Le, false},
      {PixelFormat::kRgb888, false},  {PixelFormat::kBgr888, false},
      {PixelFormat::kR3g2b3, false},  {PixelFormat::kRgb332, false},
      {PixelFormat::kArgb8888, true}, {PixelFormat::kRgba8888, true},
      {PixelFormat::kRgb565A8, true},
  };
  for (const auto& f : formats) {
    const std::string name = FormatName(f.format);
    auto encoder = EncoderFor(f.format, Dither::kNone, bg);
    auto decoder = DecoderFor(f.format, bg);
    ASSERT_EQ(decoder->BytesPerPixel(), encoder->BytesPerPixel()) << name;
    std::vector<uint8_t> bytes(row.size() * 4);
    std::vector<Pixel> shown(row.size());
    encoder->BeginPicture(uint32_t(row.size()));
    encoder->EncodeRow(row.data(), uint32_t(row.size()), bytes.data());
    decoder->DecodeRow(bytes.data(), uint32_t(row.size()), shown.data());
    for (size_t j = 0; j < row.size(); ++j) {
      // Formats without alpha store the pixel over the background; the others
      // store it as it is and the display blends it.
      const Pixel stored = f.alpha ? row[j] : OverBackground(row[j], bg);
      Pixel level = stored;
      const int bits = FormatBits(f.format);
      if (name.find("565") != std::string::npos) level = q565(stored);
      if (name == "r3g2b3") {
        level = Pixel{widen(stored.r / 36, 7), widen(stored.g / 85, 3), widen(stored.b / 36, 7),
                      stored.a};
      }
      if (name == "rgb332") {
        level = Pixel{widen(stored.r >> 5, 7), widen(stored.g >> 5, 7), widen(stored.b >> 6, 3),
                      stored.a};
      }
      const Pixel want = OverBackground(level, bg);
      EXPECT_TRUE(shown[j].r == want.r && shown[j].g == want.g && shown[j].b == want.b &&
                  shown[j].a == 255)
          << name << " (" << bits << " bits) pixel " << j << ": got " << int(shown[j].r) << ","
          << int(shown[j].g) << "," << int(shown[j].b) << " want " << int(want.r) << ","
          << int(want.g) << "," << int(want.b);
    }
  }
}

// A planar format's page: the decoder gets each row's colour and alpha
// planes together, though the binary image file holds them apart.
TEST(PreviewPage, ShowsAPlanarFormatAsItsBytesMean) {
  EngineRun run;
  run.Put("bmp/a.bmp", Picture{12, 5, false, 24, Gradient});
  run.engine.m_format = PixelFormat::kRgb565A8;
  ASSERT_EQ(run.engine.PreviewFolder(L"bmp", L"page.html"), 1);
  std::vector<Decoded> images = Images(ReadFile(run.root() / "page.html"));
  ASSERT_EQ(images.size(), 2u);
  for (uint32_t y = 0; y < 5; ++y) {
    for (uint32_t x = 0; x < 12; ++x) {
      Rgb want = OnDisplay(Gradient(int(x), int(y)), 16), got = images[1].At(x, y);
      ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b) << x << "," << y;
    }
  }
}
