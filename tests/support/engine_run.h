// Test support: a conversion run in a temporary folder, with its message list
// recorded and its four output files read back whole.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/quarry_engine.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/host_paths.h"

namespace testing_support {

// The fixed texts a run writes, as stored (CR LF line ends).
extern const std::string kTableOpening;  // struct, PIC_OFFSET and "bmpaddr[]={"
extern const std::string kTableClosing;  // "};" and a blank line
extern const std::string kEnumClosing;   // "}_PICTURE_Index_;" and a blank line

// Keeps every line, as the dialog's list box would, and how the run ended.
class RecordingLog : public RunEvents {
 public:
  void OnFolderEntered(const std::string& path) override { folders.push_back(path); }
  void OnFileSelected(const std::string& path) override { selected.push_back(path); }
  void OnMessageLine(const CString& line) override { lines.push_back(line.str()); }
  void OnPictureAdded(const PictureEntry& entry, const CString&) override {
    pictures.push_back(entry);
  }
  void OnOutputFailure(const CString& text) override {
    lines.push_back(text.str());
    failure = text.str();
  }
  void OnRunEnd(const RunSummary& ended) override {
    summary = ended;
    ++ends;
  }

  std::vector<std::string> folders;
  std::vector<std::string> selected;
  std::vector<std::wstring> lines;
  std::vector<PictureEntry> pictures;
  std::wstring failure;
  RunSummary summary;
  int ends = 0;
};

// A temporary current directory and an engine set up as the dialog leaves it
// by default (depth 16, full paths, the one word "bmp"), except that the
// table and binary image files are named out.txt and out.bin so their names
// do not depend on the clock.
class EngineRun {
 public:
  EngineRun();

  const std::filesystem::path& root() const { return dir_.path(); }
  // Writes a bitmap, or any bytes, at `relative` under the root.
  void Put(const std::filesystem::path& relative, const Picture& picture) const;
  void Put(const std::filesystem::path& relative, const std::vector<uint8_t>& bytes) const;
  void MakeFolder(const std::filesystem::path& relative) const;

  // One run of `folder`, as the dialog starts it: the file count reset first.
  int Run(const CString& folder = L"bmp");

  std::string Table() const { return ReadFile(root() / "out.txt"); }
  std::string Binary() const { return ReadFile(root() / "out.bin"); }
  std::string Enum() const { return ReadFile(root() / "tmp.txt"); }
  std::string Array() const { return ReadFile(root() / "bmp.c"); }

  RecordingLog log;
  CQuarryEngine engine{log};

 private:
  TempDir dir_;
  ScopedCurrentDir cwd_{dir_.path()};
};

// The bytes of every "0x..," value of a C text such as bmp.c, in order.
std::string ArrayBytes(const std::string& text);

}  // namespace testing_support
