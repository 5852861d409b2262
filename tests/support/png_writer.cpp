#include "tests/support/png_writer.h"

#include <spng.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace testing_support {

namespace {

// Packs samples into the row layout libspng's SPNG_FMT_PNG takes: 16-bit
// samples in host order, sub-byte samples left to right from the high bits.
std::vector<uint8_t> Pack(const PngSpec& spec, const std::vector<uint16_t>& samples) {
  const size_t perRow = size_t(spec.width) * SamplesPerPixel(spec.colourType);
  const size_t rowBytes = (perRow * spec.bitDepth + 7) / 8;
  std::vector<uint8_t> raw(rowBytes * spec.height, 0);
  for (size_t y = 0; y < spec.height; ++y) {
    for (size_t i = 0; i < perRow; ++i) {
      const uint16_t v = samples[y * perRow + i];
      uint8_t* row = raw.data() + y * rowBytes;
      if (spec.bitDepth == 16) {
        std::memcpy(row + 2 * i, &v, 2);
      } else {
        const size_t bit = i * spec.bitDepth;
        row[bit / 8] |= uint8_t(v << (8 - spec.bitDepth - bit % 8));
      }
    }
  }
  return raw;
}

uint8_t To8(uint16_t v, int depth) {
  const uint32_t max = (1u << depth) - 1;
  return uint8_t((v * 255u + max / 2) / max);
}

void Check(int error) {
  if (error) throw std::runtime_error(spng_strerror(error));
}

}  // namespace

int SamplesPerPixel(uint8_t colourType) {
  switch (colourType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

std::vector<uint8_t> EncodePng(const PngSpec& spec, const std::vector<uint16_t>& samples) {
  std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
  Check(spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1));
  spng_ihdr ihdr{spec.width,
                 spec.height,
                 spec.bitDepth,
                 spec.colourType,
                 0,
                 0,
                 uint8_t(spec.interlaced ? 1 : 0)};
  Check(spng_set_ihdr(ctx.get(), &ihdr));
  if (spec.colourType == 3) {
    spng_plte plte{};
    plte.n_entries = uint32_t(spec.palette.size());
    for (size_t i = 0; i < spec.palette.size(); ++i) {
      plte.entries[i] = {spec.palette[i].r, spec.palette[i].g, spec.palette[i].b, 0};
    }
    Check(spng_set_plte(ctx.get(), &plte));
  }
  if (!spec.paletteAlpha.empty() || !spec.transparent.empty()) {
    spng_trns trns{};
    if (spec.colourType == 0) trns.gray = spec.transparent[0];
    if (spec.colourType == 2) {
      trns.red = spec.transparent[0];
      trns.green = spec.transparent[1];
      trns.blue = spec.transparent[2];
    }
    trns.n_type3_entries = uint32_t(spec.paletteAlpha.size());
    for (size_t i = 0; i < spec.paletteAlpha.size(); ++i)
      trns.type3_alpha[i] = spec.paletteAlpha[i];
    Check(spng_set_trns(ctx.get(), &trns));
  }
  std::vector<uint8_t> raw = Pack(spec, samples);
  Check(spng_encode_image(ctx.get(), raw.data(), raw.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE));
  size_t size = 0;
  int error = 0;
  void* png = spng_get_png_buffer(ctx.get(), &size, &error);
  Check(error);
  std::vector<uint8_t> file(static_cast<uint8_t*>(png), static_cast<uint8_t*>(png) + size);
  std::free(png);
  return file;
}

std::vector<Pixel> ExpectedPngPixels(const PngSpec& spec, const std::vector<uint16_t>& samples) {
  const int n = SamplesPerPixel(spec.colourType);
  const int d = spec.bitDepth;
  std::vector<Pixel> pixels;
  for (size_t i = 0; i < samples.size(); i += n) {
    const uint16_t* s = samples.data() + i;
    Pixel px;
    switch (spec.colourType) {
      case 0:
        px = {To8(s[0], d), To8(s[0], d), To8(s[0], d), 255};
        if (!spec.transparent.empty() && s[0] == spec.transparent[0]) px.a = 0;
        break;
      case 2:
        px = {To8(s[0], d), To8(s[1], d), To8(s[2], d), 255};
        if (!spec.transparent.empty() && s[0] == spec.transparent[0] &&
            s[1] == spec.transparent[1] && s[2] == spec.transparent[2]) {
          px.a = 0;
        }
        break;
      case 3:
        px = spec.palette[s[0]];
        px.a = s[0] < spec.paletteAlpha.size() ? spec.paletteAlpha[s[0]] : 255;
        break;
      case 4:
        px = {To8(s[0], d), To8(s[0], d), To8(s[0], d), To8(s[1], d)};
        break;
      default:
        px = {To8(s[0], d), To8(s[1], d), To8(s[2], d), To8(s[3], d)};
    }
    pixels.push_back(px);
  }
  return pixels;
}

}  // namespace testing_support
