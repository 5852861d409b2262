// The decoders of the output formats.
#include "engine/format_decoder.h"

namespace {

using LoadFunction = Pixel (*)(const uint8_t* in);

class PackedDecoder : public FormatDecoder {
 public:
  PackedDecoder(int bytes, LoadFunction load, const char* name, Background background)
      : bytes_(bytes), load_(load), name_(name), background_(background) {}
  int BytesPerPixel() const override { return bytes_; }
  const char* Name() const override { return name_; }
  void DecodeRow(const uint8_t* encoded, uint32_t width, Pixel* out) const override {
    for (uint32_t j = 0; j < width; ++j, encoded += bytes_) {
      out[j] = OverBackground(load_(encoded), background_);
    }
  }

 private:
  int bytes_;
  LoadFunction load_;
  const char* name_;
  Background background_;
};

// RGB565 with its alpha in a plane of its own after the colour plane, which
// in one encoded row starts after the row's width times two bytes.
class Rgb565A8Decoder : public FormatDecoder {
 public:
  explicit Rgb565A8Decoder(Background background) : background_(background) {}
  int BytesPerPixel() const override { return 3; }
  const char* Name() const override {
    return "24 bits: an RGB565 plane, high byte first, then an A8 plane";
  }
  void DecodeRow(const uint8_t* encoded, uint32_t width, Pixel* out) const override;

 private:
  Background background_;
};

Pixel From565(unsigned v, bool redLow) {
  const uint8_t high = WidenLevel(v >> 11, 5), low = WidenLevel(v & 0x1F, 5);
  const uint8_t g = WidenLevel((v >> 5) & 0x3F, 6);
  return redLow ? Pixel{low, g, high, 255} : Pixel{high, g, low, 255};
}
unsigned HighFirst(const uint8_t* in) {
  return (unsigned{in[0]} << 8) | in[1];
}
unsigned LowFirst(const uint8_t* in) {
  return (unsigned{in[1]} << 8) | in[0];
}

void Rgb565A8Decoder::DecodeRow(const uint8_t* encoded, uint32_t width, Pixel* out) const {
  const uint8_t* alpha = encoded + size_t{width} * 2;
  for (uint32_t j = 0; j < width; ++j) {
    Pixel px = From565(HighFirst(encoded + size_t{j} * 2), false);
    px.a = alpha[j];
    out[j] = OverBackground(px, background_);
  }
}

struct DecoderSpec {
  int bytes;
  LoadFunction load;
  const char* name;
};

DecoderSpec SpecOf(PixelFormat format) {
  switch (format) {
    case PixelFormat::kRgb565:
      break;
    case PixelFormat::kRgb565Le:
      return {2, [](const uint8_t* in) { return From565(LowFirst(in), false); },
              "16 bits: RGB565, low byte first"};
    case PixelFormat::kBgr565:
      return {2, [](const uint8_t* in) { return From565(HighFirst(in), true); },
              "16 bits: BGR565, high byte first"};
    case PixelFormat::kBgr565Le:
      return {2, [](const uint8_t* in) { return From565(LowFirst(in), true); },
              "16 bits: BGR565, low byte first"};
    case PixelFormat::kRgb888:
      return {3,
              [](const uint8_t* in) {
                return Pixel{in[0], in[1], in[2], 255};
              },
              "24 bits: R, G, B"};
    case PixelFormat::kBgr888:
      return {3,
              [](const uint8_t* in) {
                return Pixel{in[2], in[1], in[0], 255};
              },
              "24 bits: B, G, R"};
    case PixelFormat::kR3g2b3:
      return {1,
              [](const uint8_t* in) {
                return Pixel{WidenLevel(in[0] >> 5, 3), WidenLevel((in[0] >> 3) & 0x3, 2),
                             WidenLevel(in[0] & 0x7, 3), 255};
              },
              "8 bits: R3G2B3"};
    case PixelFormat::kRgb332:
      return {1,
              [](const uint8_t* in) {
                return Pixel{WidenLevel(in[0] >> 5, 3), WidenLevel((in[0] >> 2) & 0x7, 3),
                             WidenLevel(in[0] & 0x3, 2), 255};
              },
              "8 bits: RGB332"};
    case PixelFormat::kArgb8888:
      return {4,
              [](const uint8_t* in) {
                return Pixel{in[2], in[1], in[0], in[3]};
              },
              "32 bits: ARGB8888, low byte first (B, G, R, A)"};
    case PixelFormat::kRgba8888:
      return {4,
              [](const uint8_t* in) {
                return Pixel{in[0], in[1], in[2], in[3]};
              },
              "32 bits: R, G, B, A"};
    case PixelFormat::kRgb565A8:
      return {3, nullptr, nullptr};
  }
  return {2, [](const uint8_t* in) { return From565(HighFirst(in), false); },
          "16 bits: RGB565, high byte first"};
}

}  // namespace

std::unique_ptr<FormatDecoder> DecoderFor(PixelFormat format, Background background) {
  if (format == PixelFormat::kRgb565A8) return std::make_unique<Rgb565A8Decoder>(background);
  const DecoderSpec spec = SpecOf(format);
  return std::make_unique<PackedDecoder>(spec.bytes, spec.load, spec.name, background);
}
