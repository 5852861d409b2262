// The output formats beyond the dialog's three depths, and dithering for
// all of them. Each pixel is composited (formats without alpha), reduced to
// its channel levels, then stored by its format's Store function.
#include <array>
#include <vector>

#include "engine/dither.h"
#include "engine/pixel_format.h"

namespace {

// `px` holds levels in r, g and b and the source's alpha in a.
using StoreFunction = void (*)(const Pixel& px, uint8_t* out);

struct FormatSpec {
  PixelFormat format;
  const char* name;
  int bits;
  int bytesPerPixel;
  ColourLevels levels;
  bool alpha;  // stores the source's alpha; no compositing
  StoreFunction store;
  // Planar (rgb565a8): `store` writes the colour plane's two bytes, and an
  // A8 plane follows the colour plane.
  bool alphaPlane = false;
};

constexpr ChannelLevels kFull{0, 0};
constexpr ColourLevels k565{{3, 0}, {2, 0}, {3, 0}};
constexpr ColourLevels k888{kFull, kFull, kFull};

uint16_t Pack565(int high5, int g, int low5) {
  return static_cast<uint16_t>((high5 << 11) | (g << 5) | low5);
}
void PutHighFirst(uint16_t v, uint8_t* out) {
  out[0] = static_cast<uint8_t>(v >> 8);
  out[1] = static_cast<uint8_t>(v & 0xFF);
}
void PutLowFirst(uint16_t v, uint8_t* out) {
  out[0] = static_cast<uint8_t>(v & 0xFF);
  out[1] = static_cast<uint8_t>(v >> 8);
}
void PutBytes(uint8_t* out, std::initializer_list<uint8_t> bytes) {
  for (uint8_t b : bytes) *out++ = b;
}

const std::array<FormatSpec, 11> kFormats = {{
    {PixelFormat::kRgb565, "rgb565", 16, 2, k565, false,
     [](const Pixel& p, uint8_t* o) { PutHighFirst(Pack565(p.r, p.g, p.b), o); }},
    {PixelFormat::kRgb565Le, "rgb565le", 16, 2, k565, false,
     [](const Pixel& p, uint8_t* o) { PutLowFirst(Pack565(p.r, p.g, p.b), o); }},
    {PixelFormat::kBgr565, "bgr565", 16, 2, k565, false,
     [](const Pixel& p, uint8_t* o) { PutHighFirst(Pack565(p.b, p.g, p.r), o); }},
    {PixelFormat::kBgr565Le, "bgr565le", 16, 2, k565, false,
     [](const Pixel& p, uint8_t* o) { PutLowFirst(Pack565(p.b, p.g, p.r), o); }},
    {PixelFormat::kRgb888, "rgb888", 24, 3, k888, false,
     [](const Pixel& p, uint8_t* o) {
       PutBytes(o, {p.r, p.g, p.b});
     }},
    {PixelFormat::kBgr888, "bgr888", 24, 3, k888, false,
     [](const Pixel& p, uint8_t* o) {
       PutBytes(o, {p.b, p.g, p.r});
     }},
    {PixelFormat::kR3g2b3,
     "r3g2b3",
     8,
     1,
     {{0, 36}, {0, 85}, {0, 36}},
     false,
     [](const Pixel& p, uint8_t* o) { *o = static_cast<uint8_t>(p.r << 5 | p.g << 3 | p.b); }},
    {PixelFormat::kRgb332,
     "rgb332",
     8,
     1,
     {{5, 0}, {5, 0}, {6, 0}},
     false,
     [](const Pixel& p, uint8_t* o) { *o = static_cast<uint8_t>(p.r << 5 | p.g << 2 | p.b); }},
    {PixelFormat::kArgb8888, "argb8888", 32, 4, k888, true,
     [](const Pixel& p, uint8_t* o) {
       PutBytes(o, {p.b, p.g, p.r, p.a});
     }},
    {PixelFormat::kRgba8888, "rgba8888", 32, 4, k888, true,
     [](const Pixel& p, uint8_t* o) {
       PutBytes(o, {p.r, p.g, p.b, p.a});
     }},
    {PixelFormat::kRgb565A8, "rgb565a8", 24, 3, k565, true,
     [](const Pixel& p, uint8_t* o) { PutHighFirst(Pack565(p.r, p.g, p.b), o); }, true},
}};

const FormatSpec& SpecOf(PixelFormat format) {
  return kFormats[static_cast<size_t>(format)];
}

class LevelEncoder : public PixelEncoder {
 public:
  LevelEncoder(const FormatSpec& spec, Dither dither, Background background)
      : spec_(spec), background_(background), quantizer_(spec.levels, dither) {}

  int BytesPerPixel() const override { return spec_.bytesPerPixel; }
  int PlaneCount() const override { return spec_.alphaPlane ? 2 : 1; }
  int PlaneBytes(int plane) const override {
    return !spec_.alphaPlane ? spec_.bytesPerPixel : plane == 0 ? 2 : 1;
  }
  void BeginPicture(uint32_t width) override {
    quantizer_.BeginPicture(width);
    levels_.resize(width);
  }
  void EncodeRow(const Pixel* row, uint32_t width, uint8_t* out) override {
    for (uint32_t j = 0; j < width; ++j)
      levels_[j] = spec_.alpha ? row[j] : OverBackground(row[j], background_);
    quantizer_.QuantizeRow(levels_.data(), width);
    const int stride = PlaneBytes(0);
    for (uint32_t j = 0; j < width; ++j) spec_.store(levels_[j], out + size_t{j} * stride);
    if (!spec_.alphaPlane) return;
    uint8_t* alpha = out + size_t{width} * stride;
    for (uint32_t j = 0; j < width; ++j) alpha[j] = levels_[j].a;
  }

 private:
  const FormatSpec& spec_;
  Background background_;
  ColourQuantizer quantizer_;
  std::vector<Pixel> levels_;  // one row, reused
};

constexpr std::array<const char*, 3> kDitherNames = {"none", "ordered", "diffusion"};

}  // namespace

const char* FormatName(PixelFormat format) {
  return SpecOf(format).name;
}

std::optional<PixelFormat> FormatNamed(std::string_view name) {
  for (const FormatSpec& spec : kFormats) {
    if (name == spec.name) return spec.format;
  }
  return std::nullopt;
}

int FormatBits(PixelFormat format) {
  return SpecOf(format).bits;
}

int FormatBytesPerPixel(PixelFormat format) {
  return SpecOf(format).bytesPerPixel;
}

PixelFormat FormatOfDepth(int depth) {
  return depth == 24  ? PixelFormat::kRgb888
         : depth == 8 ? PixelFormat::kR3g2b3
                      : PixelFormat::kRgb565;
}

const char* DitherName(Dither dither) {
  return kDitherNames[static_cast<size_t>(dither)];
}

std::optional<Dither> DitherNamed(std::string_view name) {
  for (size_t i = 0; i < kDitherNames.size(); ++i) {
    if (name == kDitherNames[i]) return static_cast<Dither>(i);
  }
  return std::nullopt;
}

std::unique_ptr<PixelEncoder> EncoderFor(PixelFormat format, Dither dither, Background background) {
  // The dialog's depths keep the encoders whose output the released
  // versions wrote.
  if (dither == Dither::kNone) {
    if (format == PixelFormat::kRgb565) return EncoderForDepth(16, background);
    if (format == PixelFormat::kRgb888) return EncoderForDepth(24, background);
    if (format == PixelFormat::kR3g2b3) return EncoderForDepth(8, background);
  }
  return std::make_unique<LevelEncoder>(SpecOf(format), dither, background);
}
