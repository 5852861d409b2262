// ConversionRun: one run's outputs and counters. It owns the output files and
// their sinks (its OutputSet), the encoder of the run's format, the running
// picture index and byte offset, and what it reports. The walk and the
// picture step are handed it; nothing of a run outlives it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/output_set.h"
#include "engine/output_sink.h"
#include "engine/picture_source.h"
#include "engine/pixel_encoder.h"
#include "engine/run_events.h"

// The table's offsets are 32-bit: no picture may end past 4 GiB - 1.
inline constexpr uint64_t kMaxBinaryImageSize = uint64_t{1} << 32;
// The later planes of a planar picture are kept in memory up to this size
// (an alpha plane of 4096 x 4096); a larger picture's rows are read again.
inline constexpr uint64_t kPlaneBufferLimit = uint64_t{16} << 20;

class ConversionRun {
 public:
  ConversionRun(const OutputPlan& plan, RunEvents& events,
                uint64_t binaryLimit = kMaxBinaryImageSize,
                uint64_t planeBufferLimit = kPlaneBufferLimit);
  ConversionRun(const ConversionRun&) = delete;
  ConversionRun& operator=(const ConversionRun&) = delete;

  // Creates the files under staging names and writes their opening
  // text. False (reported) when one cannot be created.
  bool Open();
  // True once an output failed: nothing more can be written.
  bool failed() const { return !failure_.IsEmpty() || AnyFileFailed(); }

  void EnterFolder(const std::string& ansiFolder);
  // A selected file that leaves nothing in the outputs.
  void FileNotConverted(const CString& line);
  // One whose picture source rejected it.
  void FileRejected(const CString& line);

  // The picture step: BeginPicture, then SourcePasses() times for every row
  // top row first fill PixelRow() and call EmitRow, then EndPicture.
  // BeginPicture returns false (reported as an output failure) when the
  // picture would not fit the table. `relativePath` is the path below the
  // converted folder.
  bool BeginPicture(const PictureHeader& header, const std::string& ansiName,
                    const CString& relativePath);
  int SourcePasses() const { return passes_; }
  Pixel* PixelRow() { return pixels_.data(); }
  void EmitRow();
  // `complete` is false when the file changed while it was read; `line` is
  // the picture's message line.
  void EndPicture(const CString& line, const CString& path, bool complete);

  // Ends the run: closing text, then every file closed and, when nothing
  // failed and `replace` is set, put in place under its real name; otherwise
  // the staging files are removed. Reports the end and returns the summary.
  RunSummary Finish(int32_t filesSelected, bool replace);

 private:
  bool AnyFileFailed() const;
  void Fail(const char* verb, const std::string& path, const CString& reason);
  template <typename Step>
  void ForEachSink(Step step);
  size_t PlaneStart(int plane) const;
  void WritePlaneRow(const uint8_t* encoded, int plane);
  void WriteBufferedPlanes();

  OutputSet outputs_;
  RunEvents& events_;
  uint64_t binaryLimit_;
  uint64_t planeBufferLimit_;
  uint32_t alignment_;
  std::unique_ptr<PixelEncoder> encoder_;

  PictureEntry entry_;
  // The picture step's place: which pass over the source, which row in it.
  int passes_ = 1;
  int pass_ = 0;
  uint32_t row_ = 0;
  // The later planes of a planar picture small enough to keep, row by row,
  // written after its first plane without reading the source again.
  std::vector<uint8_t> laterPlanes_;
  int32_t nextIndex_ = 0;
  uint64_t nextOffset_ = 0;
  int32_t converted_ = 0;
  int32_t rejected_ = 0;
  CString failure_;
  // One row of pixels and one encoded row at the widest size the table can
  // describe; allocated once, so no header value ever sizes an allocation.
  std::vector<Pixel> pixels_;
  std::vector<uint8_t> encoded_;
};
