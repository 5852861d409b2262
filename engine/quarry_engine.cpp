#include "engine/quarry_engine.h"

#include "platform/local_clock.h"
#include "platform/text_encoding.h"

CQuarryEngine::CQuarryEngine(RunEvents& events) : m_events(events) {}

OutputNames CQuarryEngine::MakeOutputNames() const {
  OutputNames names;
  if (!m_strOutputFolder.IsEmpty()) {
    names.folder = platform::WideToAnsi(m_strOutputFolder + platform::PathSeparator());
  }
  if (m_strOutputStem.IsEmpty()) {
    const int bits = 8 * BytesPerPixel(m_nDepth);
    platform::LocalTime now = platform::GetLocalTime();
    names.table = StampedName(now, bits, ".txt");
    names.binary = StampedName(now, bits, ".bin");
  } else {
    std::string stem = platform::WideToAnsi(m_strOutputStem);
    names.table = stem + ".txt";
    names.binary = stem + ".bin";
  }
  return names;
}

int CQuarryEngine::ConvertFolder(CString folder, uint8_t topLevel) {
  if (topLevel != 1) return 0;
  ConversionRun run(MakeOutputNames(), EncoderForDepth(m_nDepth, m_background), m_events,
                    m_nBinaryLimit);
  return RunFolder(run, folder);
}

int CQuarryEngine::RunFolder(ConversionRun& run, const CString& folder) {
  if (run.Open()) {
    m_walkPath.clear();
    if (auto identity = platform::IdentifyFolder(folder)) m_walkPath.push_back(*identity);
    WalkFolder(run, folder);
  }
  RunSummary summary = run.Finish(m_nFileCount, m_nFileCount > 0 || m_bReplaceWhenEmpty);
  return summary.outputFailure.IsEmpty() ? 1 : 0;
}

void CQuarryEngine::ConvertPicture(ConversionRun& run, PictureSource& source,
                                   const CString& linePrefix, const CString& path,
                                   const std::string& ansiName) {
  CString rejection = source.Open();
  if (!rejection.IsEmpty()) {
    run.FileRejected(linePrefix + path + rejection);
    return;
  }
  const PictureHeader& header = source.header();
  if (!run.BeginPicture(header, ansiName)) return;
  bool complete = true;
  for (uint32_t k = 0; k < header.height; ++k) {
    complete &= source.ReadRow(k, run.PixelRow());
    run.EmitRow();
  }
  CString line =
      complete ? linePrefix + ResultText(header) + path : linePrefix + path + source.ReadFailure();
  run.EndPicture(line, path, complete);
}
