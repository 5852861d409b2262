// The decoders of the three output depths.
#include "engine/format_decoder.h"

namespace {

template <int kBytes, void (*Load)(const uint8_t*, Pixel&)>
class OpaqueDecoder : public FormatDecoder {
 public:
  explicit OpaqueDecoder(const char* name) : name_(name) {}
  int BytesPerPixel() const override { return kBytes; }
  const char* Name() const override { return name_; }
  void DecodeRow(const uint8_t* encoded, uint32_t width, Pixel* out) const override {
    for (uint32_t j = 0; j < width; ++j, encoded += kBytes) Load(encoded, out[j]);
  }

 private:
  const char* name_;
};

void LoadRgb888(const uint8_t* in, Pixel& px) {
  px = Pixel{in[0], in[1], in[2], 255};
}

void LoadRgb565(const uint8_t* in, Pixel& px) {
  unsigned v = (unsigned{in[0]} << 8) | in[1];
  px = Pixel{WidenLevel(v >> 11, 5), WidenLevel((v >> 5) & 0x3F, 6), WidenLevel(v & 0x1F, 5), 255};
}

void LoadR3g2b3(const uint8_t* in, Pixel& px) {
  unsigned v = in[0];
  px = Pixel{WidenLevel(v >> 5, 3), WidenLevel((v >> 3) & 0x3, 2), WidenLevel(v & 0x7, 3), 255};
}

}  // namespace

std::unique_ptr<FormatDecoder> DecoderForDepth(int depth) {
  switch (depth) {
    case 24:
      return std::make_unique<OpaqueDecoder<3, LoadRgb888>>("24 bits: R, G, B");
    case 8:
      return std::make_unique<OpaqueDecoder<1, LoadR3g2b3>>("8 bits: R3G2B3");
    default:
      return std::make_unique<OpaqueDecoder<2, LoadRgb565>>("16 bits: RGB565, high byte first");
  }
}
