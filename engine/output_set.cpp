#include "engine/output_set.h"

using Mode = platform::OutputStream::Mode;

OutputSet::OutputSet(const OutputPlan& plan) {
  PlanDefaultFiles(plan);
}

OutputSet::~OutputSet() = default;

OutputFile& OutputSet::AddFile(const std::string& folder, const std::string& name, Mode mode) {
  ownedFiles_.push_back(std::make_unique<OutputFile>(folder, name, mode));
  files_.push_back(ownedFiles_.back().get());
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
void OutputSet::PlanDefaultFiles(const OutputPlan& plan) {
  const OutputNames& names = plan.names;
  OutputFile& table = AddFile(names.folder, names.table, Mode::kText);
  OutputFile& binary = AddFile(names.folder, names.binary, Mode::kBinary);
  OutputFile& enumText = AddFile(names.folder, kEnumFileName, Mode::kText);
  OutputFile& array = AddFile(names.folder, kArrayFileName, Mode::kText);
  closeOrder_ = {&enumText, &table, &binary, &array};
  AddSink<TableSink>(table, enumText);
  AddSink<BinaryImageSink>(binary);
  AddSink<ArrayTextSink>(array);
  binary_ = &binary;
  runName_ = names.table;
}
