#include "engine/output_file.h"

#include <algorithm>

#include "platform/file_access.h"

namespace {

constexpr const char* kStagingPrefix = "~rastrum-partial-";

std::string StagingName(std::string name) {
  std::replace(name.begin(), name.end(), '.', '_');
  return kStagingPrefix + name;
}

}  // namespace

OutputFile::OutputFile(std::string folder, std::string name, platform::OutputStream::Mode mode)
    : path_(folder + name), staging_(folder + StagingName(name)), mode_(mode) {}

OutputFile::~OutputFile() {
  Discard();
}

bool OutputFile::Create() {
  error_ = platform::CheckReplaceable(path_);
  if (error_ != 0) return false;
  if (!stream_.Open(staging_, mode_)) return false;
  staged_ = true;
  return true;
}

bool OutputFile::Close() {
  return stream_.Close();
}

bool OutputFile::Commit() {
  if (!staged_) return false;
  error_ = platform::RenameOver(staging_, path_);
  if (error_ != 0) return false;
  staged_ = false;
  return true;
}

void OutputFile::Discard() {
  stream_.Close();
  if (staged_) platform::RemoveFile(staging_);
  staged_ = false;
}
