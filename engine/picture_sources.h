// Which source reads a selected file: the strict BMP intake, or, with
// `--input any`, the one the file's first bytes name.
#pragma once

#include <memory>

#include "engine/byte_source.h"
#include "engine/picture_source.h"

enum class InputMode {
  kStrict,  // the 54-byte BMP intake, whatever the file holds
  kAny,     // BMP, PNG or JPEG, told apart by their magic bytes
};

// A source over `bytes`, which must outlive it. In kAny mode a file that is
// none of the formats gets a source whose Open rejects it.
std::unique_ptr<PictureSource> MakePictureSource(InputMode mode, ByteSource& bytes);
