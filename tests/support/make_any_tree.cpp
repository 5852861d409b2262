// rastrum_make_any_tree: writes a folder tree of pictures in every format
// `--input any` reads (BMP variants, PNG colour types, JPEG kinds), plus
// files it must reject, for the Windows-against-Linux comparison and as
// seeds for the fuzz targets. The same bytes on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/bmp_variants.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/jpeg_writer.h"
#include "tests/support/png_writer.h"

namespace {

namespace fs = std::filesystem;
namespace ts = testing_support;

const std::vector<Pixel> kColours = {{12, 200, 77, 255},   {255, 0, 128, 255}, {3, 4, 5, 255},
                                     {250, 251, 252, 255}, {0, 0, 0, 0},       {90, 45, 180, 120}};

ts::BmpVariant Variant(uint32_t header, uint16_t bits, uint32_t compression, bool palette) {
  ts::BmpVariant v;
  v.headerSize = header;
  v.bits = bits;
  v.compression = compression;
  if (palette) {
    v.palette = kColours;
    v.writeColorsUsed = true;
  }
  v.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  return v;
}

void WriteBmps(const fs::path& dir) {
  const ts::RgbaPicture picture = ts::PatternPicture(23, 11, kColours);
  ts::WriteFile(dir / "core8.bmp", ts::EncodeBmpVariant(Variant(12, 8, ts::kBiRgb, true), picture));
  ts::WriteFile(dir / "info4.bmp", ts::EncodeBmpVariant(Variant(40, 4, ts::kBiRgb, true), picture));
  ts::WriteFile(dir / "rle8.bmp", ts::EncodeBmpVariant(Variant(40, 8, ts::kBiRle8, true), picture));
  ts::WriteFile(dir / "rle4.bmp", ts::EncodeBmpVariant(Variant(40, 4, ts::kBiRle4, true), picture));
  ts::WriteFile(dir / "v5_alpha.bmp",
                ts::EncodeBmpVariant(Variant(124, 32, ts::kBiBitfields, false), picture));
  ts::BmpVariant rgb565 = Variant(40, 16, ts::kBiBitfields, false);
  rgb565.masks = {0xF800, 0x7E0, 0x1F, 0};
  ts::WriteFile(dir / "rgb565.bmp", ts::EncodeBmpVariant(rgb565, picture));
}

void WritePngs(const fs::path& dir) {
  for (uint8_t type : {0, 2, 3, 4, 6}) {
    for (bool interlaced : {false, true}) {
      ts::PngSpec spec;
      spec.width = 17;
      spec.height = 9;
      spec.colourType = type;
      spec.bitDepth = type == 3 ? 4 : type == 0 ? 2 : interlaced ? 16 : 8;
      spec.interlaced = interlaced;
      const uint32_t limit = 1u << spec.bitDepth;
      if (type == 3) {
        for (uint32_t i = 0; i < limit; ++i) {
          spec.palette.push_back(Pixel{uint8_t(i * 16), uint8_t(255 - i * 9), uint8_t(i * 5), 255});
        }
        spec.paletteAlpha = {0, 64, 128};
      }
      std::vector<uint16_t> samples(size_t(spec.width) * spec.height * ts::SamplesPerPixel(type));
      for (size_t i = 0; i < samples.size(); ++i) samples[i] = uint16_t((i * 40503u >> 3) % limit);
      const std::string name =
          "type" + std::to_string(type) + (interlaced ? "_adam7" : "") + ".png";
      ts::WriteFile(dir / name, ts::EncodePng(spec, samples));
    }
  }
}

void WriteJpegs(const fs::path& dir) {
  ts::WriteFile(dir / "ycbcr420.jpg", ts::EncodeJpeg(37, 21, ts::JpegKind::k420));
  ts::WriteFile(dir / "ycbcr444.jpg", ts::EncodeJpeg(16, 16, ts::JpegKind::k444));
  ts::WriteFile(dir / "grey.jpg", ts::EncodeJpeg(9, 30, ts::JpegKind::kGrey));
  ts::WriteFile(dir / "progressive.jpg", ts::EncodeJpeg(40, 25, ts::JpegKind::kProgressive420));
  ts::WriteFile(dir / "cmyk.jpg", ts::EncodeJpeg(8, 8, ts::JpegKind::kCmyk));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: rastrum_make_any_tree DIR\n");
    return 2;
  }
  try {
    const fs::path root = argv[1];
    WriteBmps(root / "bmp");
    WritePngs(root / "png");
    WriteJpegs(root / "jpeg");
    std::vector<uint8_t> cut = ts::EncodeJpeg(16, 16, ts::JpegKind::k420);
    cut.resize(cut.size() / 2);
    ts::WriteFile(root / "broken" / "cut.jpg", cut);
    ts::WriteFile(root / "broken" / "notes.png", std::string("not a picture\n"));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rastrum_make_any_tree: %s\n", e.what());
    return 1;
  }
  return 0;
}
