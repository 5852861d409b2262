#include <algorithm>
#include <array>

#include "engine/output_sink.h"

void BinaryImageSink::BeginPicture(const PictureEntry& entry) {
  static constexpr std::array<uint8_t, 4096> kZeros{};
  for (uint64_t left = entry.padding; left > 0;) {
    const size_t count = static_cast<size_t>(std::min<uint64_t>(left, kZeros.size()));
    file_.stream().Write(kZeros.data(), count);
    left -= count;
  }
}

void BinaryImageSink::WriteRow(const uint8_t* encoded, int bytesPerPixel,
                               const PictureEntry& entry) {
  file_.stream().Write(encoded, size_t{entry.width} * static_cast<size_t>(bytesPerPixel));
}
