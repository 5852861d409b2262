// The run: ConvertFolder at the top level and at every nested level.
#include <cerrno>

#include "engine/bitmap_intake.h"
#include "engine/output_files.h"
#include "engine/pixel_encoders.h"
#include "engine/quarry_engine.h"
#include "engine/run_state.h"
#include "platform/local_clock.h"
#include "platform/text_encoding.h"

using platform::DirSearch;

CQuarryEngine::CQuarryEngine(MessageList& log)
    : m_listLog(log), m_rowBuffer(static_cast<size_t>(kMaxDimension) * 3) {}

int CQuarryEngine::ConvertFolder(CString folder, uint8_t topLevel) {
  return topLevel == 1 ? RunConversion(folder) : WalkSubFolder(folder);
}

void CQuarryEngine::ReportOutputFailure(const char* verb, const std::string& path, int error) {
  m_strOutputFailure = platform::AnsiToWide(std::string("cannot ") + verb + " " + path + ": " +
                                            platform::SystemErrorText(error));
  m_listLog.AddString(m_strOutputFailure);
}

int CQuarryEngine::RunConversion(const CString& folder) {
  m_strOutputFailure.Empty();
  DirSearch search;
  bool moreEntries = search.FindFile(folder);

  const int bits = 8 * BytesPerPixel(m_nDepth);
  OutputNames names;
  if (!m_strOutputFolder.IsEmpty()) {
    names.folder = platform::WideToAnsi(m_strOutputFolder + platform::PathSeparator());
  }
  if (m_strOutputStem.IsEmpty()) {
    platform::LocalTime now = platform::GetLocalTime();
    names.table = StampedName(now, bits, ".txt");
    names.binary = StampedName(now, bits, ".bin");
  } else {
    std::string stem = platform::WideToAnsi(m_strOutputStem);
    names.table = stem + ".txt";
    names.binary = stem + ".bin";
  }

  std::string failedPath;
  if (!OpenOutputFiles(names, failedPath)) {
    ReportOutputFailure("create", failedPath, errno);
    return 0;
  }
  WriteOpeningText(names.table);
  g_nPicIndex = 0;
  g_nPicOffset = 0;

  m_walkPath.clear();
  if (auto identity = platform::IdentifyFolder(folder)) m_walkPath.push_back(*identity);
  WalkEntries(search, moreEntries, folder);
  search.Close();

  if (!AnyOutputFailed()) {
    WriteClosingText();
    MergeEnumText();
  }
  int error = 0;
  bool closed = CloseOutputFiles(names, failedPath, error);
  if (!closed) ReportOutputFailure("write", failedPath, error);
  m_listLog.SetCurSel(m_listLog.GetCount() - 1);
  return closed ? 1 : 0;
}

int CQuarryEngine::WalkSubFolder(const CString& folder) {
  DirSearch search;
  bool moreEntries = search.FindFile(folder);
  WriteFolderComments(platform::WideToAnsi(folder));
  auto identity = platform::IdentifyFolder(folder);
  if (identity) m_walkPath.push_back(*identity);
  WalkEntries(search, moreEntries, folder);
  if (identity) m_walkPath.pop_back();
  search.Close();
  return 1;
}
