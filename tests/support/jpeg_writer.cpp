#include "tests/support/jpeg_writer.h"

#include <turbojpeg.h>

#include <memory>
#include <stdexcept>

namespace testing_support {

namespace {

using Handle = std::unique_ptr<void, int (*)(tjhandle)>;

void Check(int result, tjhandle handle) {
  if (result != 0) throw std::runtime_error(tjGetErrorStr2(handle));
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(int width, int height, JpegKind kind) {
  const bool cmyk = kind == JpegKind::kCmyk;
  std::vector<uint8_t> pixels(size_t(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = pixels.data() + (size_t(y) * width + x) * 4;
      p[0] = uint8_t(x * 255 / (width > 1 ? width - 1 : 1));
      p[1] = uint8_t((x / 5 + y / 3) % 2 ? 230 : 20);
      p[2] = uint8_t(y * 255 / (height > 1 ? height - 1 : 1));
      p[3] = uint8_t(x * y);
    }
  }
  int subsampling = TJSAMP_444;
  if (kind == JpegKind::k422) subsampling = TJSAMP_422;
  if (kind == JpegKind::k420 || kind == JpegKind::kProgressive420) subsampling = TJSAMP_420;
  if (kind == JpegKind::kGrey) subsampling = TJSAMP_GRAY;
  const int flags = kind == JpegKind::kProgressive420 ? TJFLAG_PROGRESSIVE : 0;
  Handle handle(tjInitCompress(), tjDestroy);
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  Check(tjCompress2(handle.get(), pixels.data(), width, 0, height, cmyk ? TJPF_CMYK : TJPF_RGBX,
                    &jpeg, &size, subsampling, 85, flags),
        handle.get());
  std::vector<uint8_t> file(jpeg, jpeg + size);
  tjFree(jpeg);
  return file;
}

std::vector<Pixel> DecodeJpegWithTurboJpeg(const std::vector<uint8_t>& file) {
  Handle handle(tjInitDecompress(), tjDestroy);
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  Check(tjDecompressHeader3(handle.get(), file.data(), file.size(), &width, &height, &subsampling,
                            &colourspace),
        handle.get());
  std::vector<Pixel> pixels(size_t(width) * height);
  Check(tjDecompress2(handle.get(), file.data(), file.size(),
                      reinterpret_cast<unsigned char*>(pixels.data()), width, 0, height, TJPF_RGBA,
                      0),
        handle.get());
  return pixels;
}

}  // namespace testing_support
