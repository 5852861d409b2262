// The three output depths of the dialog: 24, 16 and 8 bits per pixel.
#include "engine/pixel_encoder.h"

namespace {

// A format without alpha: each pixel composited over the background, then
// stored as `Store` puts it.
template <int kBytes, void (*Store)(uint8_t r, uint8_t g, uint8_t b, uint8_t* out)>
class OpaqueEncoder : public PixelEncoder {
 public:
  explicit OpaqueEncoder(Background background) : background_(background) {}
  int BytesPerPixel() const override { return kBytes; }
  void EncodeRow(const Pixel* row, uint32_t width, uint8_t* out) override {
    for (uint32_t j = 0; j < width; ++j, out += kBytes) {
      const Pixel& px = row[j];
      if (px.a == 255) {
        Store(px.r, px.g, px.b, out);
      } else {
        const Pixel over = OverBackground(px, background_);
        Store(over.r, over.g, over.b, out);
      }
    }
  }

 private:
  Background background_;
};

inline void StoreRgb888(uint8_t r, uint8_t g, uint8_t b, uint8_t* out) {
  out[0] = r;
  out[1] = g;
  out[2] = b;
}

inline void StoreRgb565(uint8_t r, uint8_t g, uint8_t b, uint8_t* out) {
  uint16_t v = EncodeRgb565(r, g, b);
  out[0] = static_cast<uint8_t>(v >> 8);
  out[1] = static_cast<uint8_t>(v & 0xFF);
}

inline void StoreR3g2b3(uint8_t r, uint8_t g, uint8_t b, uint8_t* out) {
  out[0] = EncodeR3G2B3(r, g, b);
}

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

std::unique_ptr<PixelEncoder> EncoderForDepth(int depth, Background background) {
  switch (depth) {
    case 24:
      return std::make_unique<OpaqueEncoder<3, StoreRgb888>>(background);
    case 8:
      return std::make_unique<OpaqueEncoder<1, StoreR3g2b3>>(background);
    default:
      return std::make_unique<OpaqueEncoder<2, StoreRgb565>>(background);
  }
}
