#include "engine/png_writer.h"

#include <spng.h>

#include <cstdlib>
#include <memory>

std::string EncodePng(const std::vector<Pixel>& pixels, uint32_t width, uint32_t height, bool alpha,
                      std::string& problem) {
  std::vector<uint8_t> samples;
  samples.reserve(pixels.size() * (alpha ? 4 : 3));
  for (const Pixel& px : pixels) {
    samples.insert(samples.end(), {px.r, px.g, px.b});
    if (alpha) samples.push_back(px.a);
  }
  std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> context(spng_ctx_new(SPNG_CTX_ENCODER),
                                                              spng_ctx_free);
  if (!context) {
    problem = "cannot start the PNG encoder";
    return {};
  }
  spng_ihdr header = {};
  header.width = width;
  header.height = height;
  header.bit_depth = 8;
  header.color_type = alpha ? SPNG_COLOR_TYPE_TRUECOLOR_ALPHA : SPNG_COLOR_TYPE_TRUECOLOR;
  int error = spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1);
  if (!error) error = spng_set_ihdr(context.get(), &header);
  if (!error) {
    error = spng_encode_image(context.get(), samples.data(), samples.size(), SPNG_FMT_PNG,
                              SPNG_ENCODE_FINALIZE);
  }
  size_t size = 0;
  void* png = error ? nullptr : spng_get_png_buffer(context.get(), &size, &error);
  if (!png) {
    problem = std::string("PNG encoding failed: ") + spng_strerror(error);
    return {};
  }
  std::string bytes(static_cast<const char*>(png), size);
  std::free(png);
  return bytes;
}
