// The preview run: the conversion walk with the preview page as its only output.
#include "engine/preview_page.h"
#include "engine/quarry_engine.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"

int CQuarryEngine::PreviewFolder(const CString& folder, const CString& page) {
  std::string path = platform::WideToAnsi(page);
  size_t cut = path.find_last_of(platform::PathSeparator()[0] == L'\\' ? "\\/" : "/");
  cut = cut == std::string::npos ? 0 : cut + 1;
  PreviewPageSettings settings;
  settings.folder = folder;
  settings.depth = m_nDepth;
  settings.background = m_background;
  PreviewPage preview(path.substr(0, cut), path.substr(cut), settings);
  ConversionRun run(MakeOutputNames(), EncoderForDepth(m_nDepth, m_background), m_events,
                    m_nBinaryLimit, &preview.outputs());
  return RunFolder(run, folder);
}
