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

#include "engine/format_decoder.h"
#include "engine/output_file.h"
#include "engine/output_set.h"
#include "engine/output_sink.h"
#include "engine/picture_preview.h"

// Pictures longer than this on a side are shown downscaled by an integer step.
inline constexpr uint32_t kPreviewMaxSide = 512;
// Pictures are zoomed by a whole factor up to this side length, at most 8x.
inline constexpr uint32_t kPreviewZoomSide = 256;

class PreviewPage : public OutputSink {
 public:
  // Writes the page into `page`, the pictures' part first into `pictures`,
  // for a run by `plan` (its folder, format, dithering and background).
  PreviewPage(OutputFile& page, OutputFile& pictures, const OutputPlan& plan);

  void BeginRun(const std::string&) override {}
  void EnterFolder(const std::string& ansiFolder) override;
  void BeginPicture(const PictureEntry& entry) override;
  void PictureRow(const Pixel* source, const uint8_t* encoded, const PictureEntry&) override;
  void WriteRow(const uint8_t*, int, const PictureEntry&) override {}
  void EndPicture(const PictureEntry& entry) override;
  void FileReported(const CString& line) override;
  void EndRun() override;

 private:
  OutputFile& page_;
  OutputFile& pictures_;
  CString folder_;
  Background background_;
  Dither dither_;
  std::unique_ptr<FormatDecoder> decoder_;
  PreviewCollector collector_;
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
