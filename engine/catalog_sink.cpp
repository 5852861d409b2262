#include "engine/firmware_sinks.h"

void CatalogSink::BeginPicture(const PictureEntry& entry) {
  catalog_.crc.UpdateZeros(entry.padding);
  catalog_.binarySize += entry.padding;
}

void CatalogSink::WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) {
  const size_t size = size_t{entry.width} * static_cast<size_t>(bytesPerPixel);
  catalog_.crc.Update(encoded, size);
  catalog_.binarySize += size;
}

void CatalogSink::EndPicture(const PictureEntry& entry) {
  catalog_.pictures.push_back(entry);
  if (ids_) catalog_.ids.push_back(ids_->Add(entry.relativePath));
}
