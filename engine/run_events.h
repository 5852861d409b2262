// RunEvents: what a conversion run tells whoever started it. The command line
// prints it; the dialog shows it in its list box and message boxes.
#pragma once

#include <cstdint>
#include <string>

#include "engine/output_sink.h"
#include "platform/cstring.h"

// How a run ended.
struct RunSummary {
  int32_t filesSelected = 0;
  int32_t picturesConverted = 0;
  // Selected files that did not become a picture in the outputs as read:
  // rejected, not opened, or changed while they were read.
  int32_t filesNotConverted = 0;
  // Of those, the files their picture source rejected.
  int32_t filesRejected = 0;
  // What failed and why, when an output file could not be created, written
  // or put in place; empty otherwise.
  CString outputFailure;
  // The binary image file's path as created (the output folder included).
  std::string binaryImagePath;
};

class RunEvents {
 public:
  virtual ~RunEvents() = default;
  // The walk entered a folder, the top folder first; `path` is its bytes as
  // the file system takes them, so build tools can watch it.
  virtual void OnFolderEntered(const std::string& path) = 0;
  // A file's extension selected it, before it is opened; `path` as above.
  virtual void OnFileSelected(const std::string& path) = 0;
  // A message line about a selected file, in walk order.
  virtual void OnMessageLine(const CString& line) = 0;
  // A picture went into the outputs; `path` is as in its message line.
  virtual void OnPictureAdded(const PictureEntry& entry, const CString& path) = 0;
  // An output file failed; the run stops and replaces no output file.
  virtual void OnOutputFailure(const CString& failure) = 0;
  virtual void OnRunEnd(const RunSummary& summary) = 0;
};
