// CQuarryEngine: the conversion settings, the report state and the entry of
// a run. The main dialog derives from it; the command line uses it directly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_run.h"
#include "engine/extension_limit.h"
#include "engine/picture_source.h"
#include "engine/picture_sources.h"
#include "engine/pixel_format.h"
#include "engine/run_events.h"
#include "platform/cstring.h"
#include "platform/file_access.h"

class CQuarryEngine {
 public:
  explicit CQuarryEngine(RunEvents& events);
  virtual ~CQuarryEngine() = default;
  CQuarryEngine(const CQuarryEngine&) = delete;
  CQuarryEngine& operator=(const CQuarryEngine&) = delete;

  // Converts the folder tree when `topLevel` is 1: creates the output
  // files, walks, finishes them and reports the run's end. Returns 1 when the
  // run ended without an output failure, else 0; any other `topLevel`
  // converts nothing and returns 0 (sub-folders are walked within the run).
  int ConvertFolder(CString folder, uint8_t topLevel);

  // The same run with the same settings, writing only the HTML preview page
  // at `page` (a file path) in place of the four files. Returns as
  // ConvertFolder.
  int PreviewFolder(const CString& folder, const CString& page);

  // Checks one selected file's picture and, when it is accepted, puts it
  // through the run's encoder into its outputs.
  void ConvertPicture(ConversionRun& run, PictureSource& source, const CString& linePrefix,
                      const CString& path, const std::string& ansiName);

  // Files selected so far in the run, over all levels: the file number.
  int32_t m_nFileCount = 0;
  // Number of valid words in m_strExt; 0 selects no file.
  uint8_t m_nExtCount = 0;
  // Extension words, compared whole and case-sensitively.
  std::array<CString, kMaxExtensions> m_strExt;
  // Output depth in bits per pixel: 24, 16 or 8.
  uint8_t m_nDepth = 16;
  // Nonzero: files are opened and named by folder + separator + name.
  int32_t m_bFullPath = 1;

  // The output format; unset: the format of m_nDepth.
  std::optional<PixelFormat> m_format;
  Dither m_dither = Dither::kNone;
  // Every picture starts at a multiple of this (a power of two) in the
  // binary image file.
  uint32_t m_nAlignment = 1;
  // Not empty: write NAME.h, NAME.c and NAME.bin instead of the four files.
  CString m_strHeaderName;
  // With a header: NAME.c also holds the binary image file as an array.
  bool m_bEmbed = false;
  // Not empty: also write a manifest to this path.
  CString m_strManifest;

  // Where the output files are created (empty: the current directory).
  CString m_strOutputFolder;
  // Stem of the table and binary image file names (empty: the time stamp).
  CString m_strOutputStem;
  // False: a run that selects no file leaves every output file as it was.
  bool m_bReplaceWhenEmpty = true;
  // What shows through transparent pixels (black unless asked otherwise).
  Background m_background;
  // Which sources read the selected files: the strict BMP intake unless asked.
  InputMode m_inputMode = InputMode::kStrict;
  // The largest binary image file a run may write; lowered only by tests.
  uint64_t m_nBinaryLimit = kMaxBinaryImageSize;

 private:
  OutputPlan MakeOutputPlan(const CString& folder) const;
  // Walks `folder` into a run by `plan` and finishes it; 1 when no output failed.
  int RunFolder(const OutputPlan& plan, const CString& folder);
  void WalkFolder(ConversionRun& run, const CString& folder);
  void EnterSubFolder(ConversionRun& run, const CString& folder);
  void SelectFile(ConversionRun& run, const CString& folder, const CString& name);
  bool IsOnWalkPath(const CString& folder) const;

  RunEvents& m_events;
  // The folder of the run, which relative picture paths start below.
  CString m_topFolder;
  // Folders on the current walk path, so a link cycle is never followed.
  std::vector<platform::FolderIdentity> m_walkPath;
};
