// The walk: every entry of one folder, sub-folders depth first where they
// come up, files selected by extension, numbered and handed on.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "engine/byte_source.h"
#include "engine/picture_sources.h"
#include "engine/quarry_engine.h"
#include "platform/dir_search.h"
#include "platform/text_encoding.h"

void CQuarryEngine::WalkFolder(ConversionRun& run, const CString& folder) {
  m_events.OnFolderEntered(platform::WideToAnsi(folder));
  platform::DirSearch search;
  bool moreEntries = search.FindFile(folder);
  // After an output failure nothing more can be written, so the walk ends.
  while (moreEntries && !run.failed()) {
    moreEntries = search.FindNextFile();
    if (search.IsDirectory()) {
      EnterSubFolder(run, folder + platform::PathSeparator() + search.GetFileName());
    } else {
      SelectFile(run, folder, search.GetFileName());
    }
  }
  search.Close();
}

bool CQuarryEngine::IsOnWalkPath(const CString& folder) const {
  auto identity = platform::IdentifyFolder(folder);
  return identity && std::find(m_walkPath.begin(), m_walkPath.end(), *identity) != m_walkPath.end();
}

void CQuarryEngine::EnterSubFolder(ConversionRun& run, const CString& folder) {
  if (IsOnWalkPath(folder)) return;
  run.EnterFolder(platform::WideToAnsi(folder));
  auto identity = platform::IdentifyFolder(folder);
  if (identity) m_walkPath.push_back(*identity);
  WalkFolder(run, folder);
  if (identity) m_walkPath.pop_back();
}

void CQuarryEngine::SelectFile(ConversionRun& run, const CString& folder, const CString& name) {
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

  m_events.OnFileSelected(platform::WideToAnsi(folder + platform::PathSeparator() + name));
  CString path = m_bFullPath ? folder + platform::PathSeparator() + name : name;
  ++m_nFileCount;
  CString linePrefix;
  linePrefix.Format(L"%.5d: ", m_nFileCount);
  FILE* picture = platform::OpenPictureFile(platform::WideToAnsi(path));
  if (!picture) {
    run.FileNotConverted(linePrefix + path + L" bmp Image opening failed");
    return;
  }
  FileByteSource bytes(picture);
  std::unique_ptr<PictureSource> source = MakePictureSource(m_inputMode, bytes);
  ConvertPicture(run, *source, linePrefix, path, platform::WideToAnsi(name));
  std::fclose(picture);
}
