// rastrum_bench_png: the PNG side of the benchmark.
//   rastrum_bench_png encode BMPDIR PNGDIR   saves every .bmp under BMPDIR as
//       an RGB PNG at libspng's default compression, at the same place
//       under PNGDIR (.png instead of .bmp)
//   rastrum_bench_png decode PNGDIR          decodes every .png under PNGDIR
//       row by row with libspng alone: the reference time for
//       `rastrum convert --input any`
#include <spng.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "engine/strict_bmp_source.h"

namespace {

namespace fs = std::filesystem;
using Context = std::unique_ptr<spng_ctx, void (*)(spng_ctx*)>;

void Check(int error, const fs::path& path) {
  if (error) throw std::runtime_error(path.string() + ": " + spng_strerror(error));
}

void Encode(const fs::path& bmp, const fs::path& png) {
  FILE* in = std::fopen(bmp.string().c_str(), "rb");
  if (!in) throw std::runtime_error("cannot open " + bmp.string());
  FileByteSource bytes(in);
  StrictBmpSource source(bytes);
  if (!source.Open().IsEmpty()) throw std::runtime_error(bmp.string() + ": not a strict BMP");
  const PictureHeader& h = source.header();
  std::vector<uint8_t> rgb(size_t{h.width} * h.height * 3);
  std::vector<Pixel> row(h.width);
  for (uint32_t y = 0; y < h.height; ++y) {
    source.ReadRow(y, row.data());
    for (uint32_t x = 0; x < h.width; ++x) {
      uint8_t* p = rgb.data() + (size_t{y} * h.width + x) * 3;
      p[0] = row[x].r;
      p[1] = row[x].g;
      p[2] = row[x].b;
    }
  }
  std::fclose(in);
  fs::create_directories(png.parent_path());
  FILE* out = std::fopen(png.string().c_str(), "wb");
  if (!out) throw std::runtime_error("cannot create " + png.string());
  Context ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
  Check(spng_set_png_file(ctx.get(), out), png);
  spng_ihdr ihdr{h.width, h.height, 8, SPNG_COLOR_TYPE_TRUECOLOR, 0, 0, 0};
  Check(spng_set_ihdr(ctx.get(), &ihdr), png);
  Check(spng_encode_image(ctx.get(), rgb.data(), rgb.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE),
        png);
  std::fclose(out);
}

void Decode(const fs::path& png) {
  FILE* in = std::fopen(png.string().c_str(), "rb");
  if (!in) throw std::runtime_error("cannot open " + png.string());
  Context ctx(spng_ctx_new(0), spng_ctx_free);
  Check(spng_set_png_file(ctx.get(), in), png);
  spng_ihdr ihdr{};
  Check(spng_get_ihdr(ctx.get(), &ihdr), png);
  Check(spng_decode_image(ctx.get(), nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_PROGRESSIVE), png);
  std::vector<uint8_t> row(size_t{ihdr.width} * 4);
  int result = 0;
  while ((result = spng_decode_row(ctx.get(), row.data(), row.size())) == 0) {
  }
  if (result != SPNG_EOI) Check(result, png);
  std::fclose(in);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "encode" && argc == 4) {
      const fs::path from = argv[2], to = argv[3];
      for (const auto& entry : fs::recursive_directory_iterator(from)) {
        if (entry.path().extension() != ".bmp") continue;
        Encode(entry.path(), (to / fs::relative(entry.path(), from)).replace_extension(".png"));
      }
      return 0;
    }
    if (mode == "decode" && argc == 3) {
      for (const auto& entry : fs::recursive_directory_iterator(argv[2])) {
        if (entry.path().extension() == ".png") Decode(entry.path());
      }
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rastrum_bench_png: error: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: rastrum_bench_png encode BMPDIR PNGDIR | decode PNGDIR\n");
  return 2;
}
