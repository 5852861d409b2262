// The sinks of the outputs for firmware: a header with its C source, and a
// manifest. They write at the end of the run from a catalog of the pictures
// and of the binary image file, which the catalog sink keeps as it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/crc32.h"
#include "engine/output_set.h"
#include "engine/output_sink.h"
#include "engine/picture_ids.h"

// What the run wrote, for the outputs that describe it.
struct PictureCatalog {
  std::vector<PictureEntry> pictures;
  std::vector<std::string> ids;  // the header's picture ids, when it has any
  uint64_t binarySize = 0;
  Crc32 crc;
};

// Fills the catalog: each picture's entry and id, the binary image file's
// size and CRC-32 over its padding and rows.
class CatalogSink : public OutputSink {
 public:
  // `ids` null: the pictures get no ids.
  CatalogSink(PictureCatalog& catalog, std::unique_ptr<PictureIds> ids)
      : catalog_(catalog), ids_(std::move(ids)) {}
  void BeginRun(const std::string&) override {}
  void EnterFolder(const std::string&) override {}
  void BeginPicture(const PictureEntry& entry) override;
  void WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) override;
  void EndPicture(const PictureEntry& entry) override;
  void EndRun() override {}

 private:
  PictureCatalog& catalog_;
  std::unique_ptr<PictureIds> ids_;
};

// A sink that writes its whole file when the run ends, from the catalog.
class EndOfRunSink : public OutputSink {
 public:
  void BeginRun(const std::string&) override {}
  void EnterFolder(const std::string&) override {}
  void BeginPicture(const PictureEntry&) override {}
  void WriteRow(const uint8_t*, int, const PictureEntry&) override {}
  void EndPicture(const PictureEntry&) override {}
};

// NAME.h: the macros, the picture type, the ids and the table's declaration.
class HeaderSink : public EndOfRunSink {
 public:
  HeaderSink(OutputFile& file, const OutputPlan& plan, const PictureCatalog& catalog)
      : file_(file), plan_(plan), catalog_(catalog) {}
  void EndRun() override;

 private:
  OutputFile& file_;
  const OutputPlan& plan_;
  const PictureCatalog& catalog_;
};

// NAME.c: the table and, when embedding, the binary image file's bytes as an
// array, written as they come.
class CSourceSink : public OutputSink {
 public:
  CSourceSink(OutputFile& file, const OutputPlan& plan, const PictureCatalog& catalog)
      : file_(file), plan_(plan), catalog_(catalog) {}
  void BeginRun(const std::string&) override;
  void EnterFolder(const std::string&) override {}
  void BeginPicture(const PictureEntry& entry) override;
  void WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) override;
  void EndPicture(const PictureEntry&) override {}
  void EndRun() override;

 private:
  void PutBytes(const uint8_t* data, size_t size);

  OutputFile& file_;
  const OutputPlan& plan_;
  const PictureCatalog& catalog_;
  std::string text_;
  uint64_t written_ = 0;
};

// The manifest: the run's settings, the binary image file's name, size and
// CRC-32, and every picture's entry, as JSON.
class ManifestSink : public EndOfRunSink {
 public:
  ManifestSink(OutputFile& file, const OutputPlan& plan, const PictureCatalog& catalog,
               std::string binaryName)
      : file_(file), plan_(plan), catalog_(catalog), binaryName_(std::move(binaryName)) {}
  void EndRun() override;

 private:
  OutputFile& file_;
  const OutputPlan& plan_;
  const PictureCatalog& catalog_;
  std::string binaryName_;
};
