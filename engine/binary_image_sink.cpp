#include "engine/output_sink.h"

void BinaryImageSink::WriteRow(const uint8_t* encoded, const PictureEntry& entry) {
  file_.stream().Write(encoded, size_t{entry.width} * static_cast<size_t>(entry.bytesPerPixel));
}
