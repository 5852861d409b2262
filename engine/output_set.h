// OutputSet: which files a run writes and which sinks write them, chosen in
// one place from the run's plan: the four files of the dialog (table file,
// binary image file, tmp.txt, bmp.c), or a header, its C source and the
// binary image file; and a manifest beside either when asked for. A preview
// writes its page in place of all of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/output_file.h"
#include "engine/output_names.h"
#include "engine/output_sink.h"
#include "engine/pixel_format.h"

struct PictureCatalog;

// Everything that decides a run's outputs.
struct OutputPlan {
  OutputNames names;     // folder; table and binary names of the four files
  std::string header;    // NAME: write NAME.h, NAME.c and NAME.bin instead
  bool embed = false;    // NAME.c also holds the binary image as an array
  std::string manifest;  // ANSI path of the manifest; empty: none
  // ANSI path of a preview page to write instead of every other output;
  // empty: none. `folder` is the converted folder as given, for its title.
  std::string previewPage;
  CString folder;
  PixelFormat format = PixelFormat::kRgb565;
  Dither dither = Dither::kNone;
  uint32_t alignment = 1;
  Background background;
};

class OutputSet {
 public:
  explicit OutputSet(const OutputPlan& plan);
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  // In the order they are created and discarded.
  const std::vector<OutputFile*>& files() const { return files_; }
  // The files put in place when nothing failed, in this order; scratch
  // files are not among them.
  const std::vector<OutputFile*>& keptFiles() const { return kept_; }
  // In the order they are closed, so a failure is named by the first in it.
  const std::vector<OutputFile*>& closeOrder() const { return closeOrder_; }
  // In the order each step reaches them.
  const std::vector<OutputSink*>& sinks() const { return sinks_; }
  // The binary image file's path, which the 4 GiB stop names (a preview
  // names the file a conversion would write).
  const std::string& binaryPath() const { return binaryPath_; }
  // The name the opening texts carry.
  const std::string& runName() const { return runName_; }

 private:
  OutputFile& AddFile(const std::string& folder, const std::string& name,
                      platform::OutputStream::Mode mode, bool kept = true);
  template <typename Sink, typename... Args>
  Sink& AddSink(Args&&... args);
  void PlanDefaultFiles();
  void PlanHeaderFiles();
  void PlanManifest();
  void PlanPreviewPage();

  OutputPlan plan_;
  std::unique_ptr<PictureCatalog> catalog_;
  std::vector<std::unique_ptr<OutputFile>> ownedFiles_;
  std::vector<std::unique_ptr<OutputSink>> ownedSinks_;
  std::vector<OutputFile*> files_, kept_, closeOrder_;
  std::vector<OutputSink*> sinks_;
  std::string binaryPath_;
  std::string runName_;
};
