// The walk: every entry of one folder, sub-folders depth first where they
// come up, files selected by extension, numbered and handed on.
#include <algorithm>

#include "engine/output_files.h"
#include "engine/quarry_engine.h"
#include "platform/text_encoding.h"

void CQuarryEngine::WalkEntries(platform::DirSearch& search, bool moreEntries,
                                const CString& folder) {
  // After an output failure nothing more can be written, so the walk ends.
  while (moreEntries && !AnyOutputFailed()) {
    moreEntries = search.FindNextFile();
    if (search.IsDots()) continue;
    if (search.IsDirectory()) {
      EnterSubFolder(folder + platform::PathSeparator() + search.GetFileName());
    } else {
      SelectFile(folder, search.GetFileName());
    }
  }
}

bool CQuarryEngine::IsOnWalkPath(const CString& folder) const {
  auto identity = platform::IdentifyFolder(folder);
  return identity && std::find(m_walkPath.begin(), m_walkPath.end(), *identity) != m_walkPath.end();
}

void CQuarryEngine::EnterSubFolder(const CString& folder) {
  if (IsOnWalkPath(folder)) return;
  ConvertFolder(folder, 0);
}

void CQuarryEngine::SelectFile(const CString& folder, const CString& name) {
  int dot = name.ReverseFind(L'.');
  if (m_nExtCount == 0 || dot < 0) return;
  CString extension = name.Right(name.GetLength() - dot - 1);
  // A name ending in '.' has no extension to match.
  if (extension.IsEmpty()) return;
  int words = std::min<int>(m_nExtCount, kMaxExtensions);
  bool selected = false;
  for (int i = 0; i < words && !selected; ++i) {
    selected = platform::CompareWide(extension, m_strExt[i]) == 0;
  }
  if (!selected) return;

  std::string ansiName = platform::WideToAnsi(name);
  CString path = m_bFullPath ? folder + platform::PathSeparator() + name : name;
  ++m_nFileCount;
  CString linePrefix;
  linePrefix.Format(L"%.5d: ", m_nFileCount);
  FILE* picture = platform::OpenPictureFile(platform::WideToAnsi(path));
  if (!picture) {
    m_listLog.AddString(linePrefix + path + L" bmp Image opening failed");
    return;
  }
  ConvertPicture(picture, linePrefix, path, ansiName);
}
