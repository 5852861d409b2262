// CQuarryEngine: the conversion settings, the report state and the run.
// The main dialog derives from it (its members are the dialog's own in the
// original design); the command line uses it directly.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/extension_limit.h"
#include "engine/message_list.h"
#include "platform/cstring.h"
#include "platform/dir_search.h"
#include "platform/file_access.h"

class CQuarryEngine {
 public:
  explicit CQuarryEngine(MessageList& log);
  virtual ~CQuarryEngine() = default;
  CQuarryEngine(const CQuarryEngine&) = delete;
  CQuarryEngine& operator=(const CQuarryEngine&) = delete;

  // Converts the folder tree. `topLevel` == 1 makes this call the run: it
  // creates the four output files, walks, finishes them and selects the last
  // message line. Any other value is the walk's own recursion into a
  // sub-folder. Returns 1 when the folder was walked to the end, 0 when an
  // output file could not be created or written (see m_strOutputFailure).
  int ConvertFolder(CString folder, uint8_t topLevel);

  // Reads, checks and converts one opened picture and closes it.
  void ConvertPicture(FILE* picture, const CString& linePrefix, const CString& path,
                      const std::string& ansiName);

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
  // Where the run reports.
  MessageList& m_listLog;

  // Where the four files are created (empty: the current directory).
  CString m_strOutputFolder;
  // Stem of the table and binary image file names (empty: the time stamp).
  CString m_strOutputStem;
  // After a run that failed on an output file: what failed and why.
  CString m_strOutputFailure;

 private:
  int RunConversion(const CString& folder);
  int WalkSubFolder(const CString& folder);
  void WalkEntries(platform::DirSearch& search, bool moreEntries, const CString& folder);
  void EnterSubFolder(const CString& folder);
  void SelectFile(const CString& folder, const CString& name);
  bool IsOnWalkPath(const CString& folder) const;
  void ReportOutputFailure(const char* verb, const std::string& path, int error);

  // Folders on the current walk path, so a link cycle is never followed.
  std::vector<platform::FolderIdentity> m_walkPath;
  // One source row at the widest size the table can describe; allocated
  // once, so no header value ever sizes an allocation.
  std::vector<uint8_t> m_rowBuffer;
  std::string m_arrayText;
};
