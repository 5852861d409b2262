#include "engine/output_set.h"

#include <utility>

#include "engine/firmware_sinks.h"
#include "engine/preview_page.h"
#include "platform/file_access.h"

using Mode = platform::OutputStream::Mode;

namespace {

// A path given on its own, not under the output folder, as folder (with its
// separator) and name.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
  size_t cut =
      path.find_last_of(CString(platform::PathSeparator()) == CString(L"\\") ? "\\/" : "/");
  cut = cut == std::string::npos ? 0 : cut + 1;
  return {path.substr(0, cut), path.substr(cut)};
}

}  // namespace

OutputSet::OutputSet(const OutputPlan& plan)
    : plan_(plan), catalog_(std::make_unique<PictureCatalog>()) {
  if (!plan_.previewPage.empty()) {
    PlanPreviewPage();
    return;
  }
  if (plan_.header.empty()) {
    PlanDefaultFiles();
  } else {
    PlanHeaderFiles();
  }
  if (!plan_.manifest.empty()) PlanManifest();
}

OutputSet::~OutputSet() = default;

OutputFile& OutputSet::AddFile(const std::string& folder, const std::string& name, Mode mode,
                               bool kept) {
  ownedFiles_.push_back(std::make_unique<OutputFile>(folder, name, mode));
  files_.push_back(ownedFiles_.back().get());
  if (kept) kept_.push_back(files_.back());
  return *ownedFiles_.back();
}

template <typename Sink, typename... Args>
Sink& OutputSet::AddSink(Args&&... args) {
  auto sink = std::make_unique<Sink>(std::forward<Args>(args)...);
  Sink& added = *sink;
  sinks_.push_back(sink.get());
  ownedSinks_.push_back(std::move(sink));
  return added;
}

// The dialog's four files. The enum text is closed before the table file it
// was merged into, as the released versions did.
void OutputSet::PlanDefaultFiles() {
  const OutputNames& names = plan_.names;
  if (!plan_.manifest.empty()) AddSink<CatalogSink>(*catalog_, nullptr);
  OutputFile& table = AddFile(names.folder, names.table, Mode::kText);
  OutputFile& binary = AddFile(names.folder, names.binary, Mode::kBinary);
  OutputFile& enumText = AddFile(names.folder, kEnumFileName, Mode::kText);
  OutputFile& array = AddFile(names.folder, kArrayFileName, Mode::kText);
  closeOrder_ = {&enumText, &table, &binary, &array};
  AddSink<TableSink>(table, enumText);
  AddSink<BinaryImageSink>(binary);
  AddSink<ArrayTextSink>(array);
  binaryPath_ = binary.path();
  runName_ = names.table;
}

// NAME.bin, NAME.h and NAME.c. The header and the table in NAME.c are
// written at the end from the catalog, which sees every picture first.
void OutputSet::PlanHeaderFiles() {
  const std::string& folder = plan_.names.folder;
  OutputFile& binary = AddFile(folder, plan_.header + ".bin", Mode::kBinary);
  OutputFile& header = AddFile(folder, plan_.header + ".h", Mode::kText);
  OutputFile& source = AddFile(folder, plan_.header + ".c", Mode::kText);
  closeOrder_ = files_;
  AddSink<CatalogSink>(*catalog_, std::make_unique<PictureIds>(MacroPrefix(plan_.header)));
  AddSink<BinaryImageSink>(binary);
  AddSink<CSourceSink>(source, plan_, *catalog_);
  AddSink<HeaderSink>(header, plan_, *catalog_);
  binaryPath_ = binary.path();
  runName_ = plan_.header + ".h";
}

void OutputSet::PlanManifest() {
  const auto [folder, name] = SplitPath(plan_.manifest);
  OutputFile& manifest = AddFile(folder, name, Mode::kBinary);
  closeOrder_.push_back(&manifest);
  const std::string binaryName = plan_.header.empty() ? plan_.names.binary : plan_.header + ".bin";
  AddSink<ManifestSink>(manifest, plan_, *catalog_, binaryName);
}

// The page, and a scratch file for the pictures' part of it that is never
// put in place: the summary that opens the page is known only at the end.
void OutputSet::PlanPreviewPage() {
  const auto [folder, name] = SplitPath(plan_.previewPage);
  OutputFile& page = AddFile(folder, name, Mode::kBinary);
  OutputFile& pictures = AddFile(folder, name + ".pictures", Mode::kBinary, false);
  closeOrder_ = {&pictures, &page};
  AddSink<PreviewPage>(page, pictures, plan_);
  binaryPath_ = plan_.names.folder + plan_.names.binary;
  runName_ = plan_.names.table;
}
