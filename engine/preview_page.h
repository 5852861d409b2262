// PreviewPage: the output of `rastrum preview`, one self-contained HTML page
// in place of the four firmware files. It shows every selected file's
// message line in walk order and, for every picture, its source pixels beside
// the pixels decoded back from the exact output bytes, as embedded PNGs, with
// where the picture would sit in the binary image file and its colour error.
//
// Memory stays bounded on any tree: one picture is held at a time, at most
// kPreviewMaxSide pixels a side, and the page is written as the run goes.
// The pictures go to a scratch file first, so the summary, known only at the
// end, can open the page.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/conversion_run.h"
#include "engine/format_decoder.h"
#include "engine/output_file.h"
#include "engine/output_sink.h"
#include "engine/picture_preview.h"

// Pictures longer than this on a side are shown downscaled by an integer step.
inline constexpr uint32_t kPreviewMaxSide = 512;
// Pictures are zoomed by a whole factor up to this side length, at most 8x.
inline constexpr uint32_t kPreviewZoomSide = 256;

struct PreviewPageSettings {
  CString folder;  // the folder tree, as given, for the title
  int depth = 16;
  Background background;
  const char* dithering = "none";
};

class PreviewPage : public OutputSink {
 public:
  // The page is created at `ansiFolder` + `name` (folder empty: the current directory).
  PreviewPage(const std::string& ansiFolder, const std::string& name,
              const PreviewPageSettings& settings);

  // The files and sink a ConversionRun writes in place of the firmware files.
  const OutputSet& outputs() const { return outputs_; }

  void BeginRun(const std::string&) override {}
  void EnterFolder(const std::string& ansiFolder) override;
  void BeginPicture(const PictureEntry& entry) override;
  void SourceRow(const Pixel* row, const PictureEntry& entry) override;
  void WriteRow(const uint8_t* encoded, const PictureEntry& entry) override;
  void EndPicture(const PictureEntry& entry) override;
  void FileReported(const CString& line) override;
  void EndRun() override;

 private:
  PreviewPageSettings settings_;
  OutputFile page_, pictures_;
  OutputSet outputs_;
  std::unique_ptr<FormatDecoder> decoder_;
  PreviewCollector collector_;
  std::vector<Pixel> sourceRow_;
  // The current picture's figures and facts, until its message line comes.
  std::string pending_;
  bool havePending_ = false;
  int32_t files_ = 0, pictureCount_ = 0;
  uint64_t binarySize_ = 0;
};

// Text for an HTML page: & < > " ' as character references; anything that is
// not a character, and controls and noncharacters, which HTML does not allow
// in a page, as U+FFFD.
std::string HtmlText(const CString& text);
