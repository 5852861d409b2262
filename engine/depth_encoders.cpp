// The three output depths of the dialog: 24, 16 and 8 bits per pixel.
#include "engine/pixel_encoder.h"

namespace {

class Rgb888Encoder : public PixelEncoder {
 public:
  int BytesPerPixel() const override { return 3; }
  void EncodeRow(const Pixel* row, uint32_t width, uint8_t* out) const override {
    for (uint32_t j = 0; j < width; ++j, out += 3) {
      out[0] = row[j].r;
      out[1] = row[j].g;
      out[2] = row[j].b;
    }
  }
};

class Rgb565Encoder : public PixelEncoder {
 public:
  int BytesPerPixel() const override { return 2; }
  void EncodeRow(const Pixel* row, uint32_t width, uint8_t* out) const override {
    for (uint32_t j = 0; j < width; ++j, out += 2) {
      uint16_t v = EncodeRgb565(row[j].r, row[j].g, row[j].b);
      out[0] = static_cast<uint8_t>(v >> 8);
      out[1] = static_cast<uint8_t>(v & 0xFF);
    }
  }
};

class R3g2b3Encoder : public PixelEncoder {
 public:
  int BytesPerPixel() const override { return 1; }
  void EncodeRow(const Pixel* row, uint32_t width, uint8_t* out) const override {
    for (uint32_t j = 0; j < width; ++j) out[j] = EncodeR3G2B3(row[j].r, row[j].g, row[j].b);
  }
};

}  // namespace

int BytesPerPixel(int depth) {
  switch (depth) {
    case 24:
      return 3;
    case 8:
      return 1;
    default:
      return 2;
  }
}

std::unique_ptr<PixelEncoder> EncoderForDepth(int depth) {
  switch (depth) {
    case 24:
      return std::make_unique<Rgb888Encoder>();
    case 8:
      return std::make_unique<R3g2b3Encoder>();
    default:
      return std::make_unique<Rgb565Encoder>();
  }
}
