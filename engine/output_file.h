// OutputFile: one output file of a run, written under a staging name in its
// own folder and put in place by a rename only when the whole run succeeded,
// so a failed or interrupted run never leaves a half-written file under a
// real name.
#pragma once

#include <string>

#include "platform/output_stream.h"

class OutputFile {
 public:
  OutputFile(std::string folder, std::string name, platform::OutputStream::Mode mode);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // The real path, which messages name.
  const std::string& path() const { return path_; }
  // The staging path: no '.' in its name, so no extension list ever selects it.
  const std::string& stagingPath() const { return staging_; }

  // Checks that the real name can be replaced and creates the staging file.
  // False on failure; error() holds the reason.
  bool Create();
  platform::OutputStream& stream() { return stream_; }
  bool failed() const { return stream_.failed(); }
  int error() const { return error_ ? error_ : stream_.error(); }

  // Flushes and closes the staging file; false when any write failed.
  bool Close();
  // Renames the closed staging file over the real name.
  bool Commit();
  // Closes and removes the staging file, leaving the real name untouched.
  void Discard();

 private:
  std::string path_;
  std::string staging_;
  platform::OutputStream::Mode mode_;
  platform::OutputStream stream_;
  bool staged_ = false;
  int error_ = 0;
};
