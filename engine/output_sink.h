// OutputSink: the last stage of the picture pipeline. Each sink writes one
// kind of output from the encoded rows and the pictures' entries.
#pragma once

#include <cstdint>
#include <string>

#include "engine/array_text.h"
#include "engine/output_file.h"
#include "engine/pixel.h"
#include "platform/cstring.h"

// One accepted picture as the outputs describe it.
struct PictureEntry {
  int32_t index = 0;     // its number in the table and the enum
  uint64_t padding = 0;  // zero bytes before it that align its offset
  uint64_t offset = 0;   // where its bytes start in the binary image file
  uint64_t length = 0;   // its byte count in the binary image file
  uint32_t width = 0;
  uint32_t height = 0;
  int bytesPerPixel = 0;
  uint32_t storedSize = 0;  // the source's stored picture data size
  std::string ansiName;     // the file name, extension included, without folder
  CString relativePath;     // its path below the converted folder
  uint16_t sourceBits = 0;  // bits per pixel as stored in the source
  std::string sourceFormat;
};

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Once, after the files were created; `tableName` is the table file's bare name.
  virtual void BeginRun(const std::string& tableName) = 0;
  // A sub-folder's pictures follow.
  virtual void EnterFolder(const std::string& ansiFolder) = 0;
  // Sinks that write the binary image file's bytes write entry.padding zero
  // bytes first.
  virtual void BeginPicture(const PictureEntry& entry) = 0;
  // One row, top row first: entry.width pixels of `bytesPerPixel` bytes, which
  // is entry.bytesPerPixel except in the planes of a planar format.
  virtual void WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) = 0;
  virtual void EndPicture(const PictureEntry& entry) = 0;
  // For sinks that show pictures rather than store them: each source row,
  // once, with its whole encoded row (every plane's part, as the encoder
  // wrote it), before WriteRow gets any of it.
  virtual void PictureRow(const Pixel*, const uint8_t*, const PictureEntry&) {}
  // Every selected file's message line in walk order; a picture's comes
  // after its EndPicture.
  virtual void FileReported(const CString&) {}
  // Once, when the walk ended without an output failure.
  virtual void EndRun() = 0;
};

// The binary image file: every picture's rows, back to back, each picture
// after the zero bytes that align it.
class BinaryImageSink : public OutputSink {
 public:
  explicit BinaryImageSink(OutputFile& file) : file_(file) {}
  void BeginRun(const std::string&) override {}
  void EnterFolder(const std::string&) override {}
  void BeginPicture(const PictureEntry& entry) override;
  void WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) override;
  void EndPicture(const PictureEntry&) override {}
  void EndRun() override {}

 private:
  OutputFile& file_;
};

// bmp.c: one C byte array per picture with the same bytes as text.
class ArrayTextSink : public OutputSink {
 public:
  explicit ArrayTextSink(OutputFile& file) : file_(file) {}
  void BeginRun(const std::string& tableName) override;
  void EnterFolder(const std::string& ansiFolder) override;
  void BeginPicture(const PictureEntry& entry) override;
  void WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) override;
  void EndPicture(const PictureEntry& entry) override;
  void EndRun() override {}

 private:
  OutputFile& file_;
  ArrayText text_;
  std::string rowText_;
};

// The table file's address table and the enum, built in tmp.txt during the
// walk and copied onto the end of the table file when the run ends.
class TableSink : public OutputSink {
 public:
  TableSink(OutputFile& table, OutputFile& enumText) : table_(table), enum_(enumText) {}
  void BeginRun(const std::string& tableName) override;
  void EnterFolder(const std::string& ansiFolder) override;
  void BeginPicture(const PictureEntry&) override {}
  void WriteRow(const uint8_t*, int, const PictureEntry&) override {}
  void EndPicture(const PictureEntry& entry) override;
  void EndRun() override;

 private:
  OutputFile& table_;
  OutputFile& enum_;
};
