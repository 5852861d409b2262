#include "engine/quarry_engine.h"

#include "platform/local_clock.h"
#include "platform/text_encoding.h"

namespace {

// `path` without the leading `folder` and separator the walk joined to it.
CString PathBelow(const CString& folder, const CString& path) {
  const CString prefix = folder + platform::PathSeparator();
  const int n = prefix.GetLength();
  return path.GetLength() > n && path.Left(n) == prefix ? path.Right(path.GetLength() - n) : path;
}

}  // namespace

CQuarryEngine::CQuarryEngine(RunEvents& events) : m_events(events) {}

OutputPlan CQuarryEngine::MakeOutputPlan(const CString& folder) const {
  OutputPlan plan;
  plan.folder = folder;
  plan.format = m_format.value_or(FormatOfDepth(m_nDepth));
  plan.dither = m_dither;
  plan.alignment = m_nAlignment;
  plan.background = m_background;
  plan.header = platform::WideToAnsi(m_strHeaderName);
  plan.embed = m_bEmbed;
  plan.manifest = platform::WideToAnsi(m_strManifest);
  OutputNames& names = plan.names;
  if (!m_strOutputFolder.IsEmpty()) {
    names.folder = platform::WideToAnsi(m_strOutputFolder + platform::PathSeparator());
  }
  if (m_strOutputStem.IsEmpty()) {
    const int bits = FormatBits(plan.format);
    platform::LocalTime now = platform::GetLocalTime();
    names.table = StampedName(now, bits, ".txt");
    names.binary = StampedName(now, bits, ".bin");
  } else {
    std::string stem = platform::WideToAnsi(m_strOutputStem);
    names.table = stem + ".txt";
    names.binary = stem + ".bin";
  }
  return plan;
}

int CQuarryEngine::ConvertFolder(CString folder, uint8_t topLevel) {
  if (topLevel != 1) return 0;
  return RunFolder(MakeOutputPlan(folder), folder);
}

int CQuarryEngine::RunFolder(const OutputPlan& plan, const CString& folder) {
  m_topFolder = folder;
  ConversionRun run(plan, m_events, m_nBinaryLimit);
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
  if (!run.BeginPicture(header, ansiName, PathBelow(m_topFolder, path))) return;
  bool complete = true;
  for (int pass = 0; pass < run.SourcePasses(); ++pass) {
    for (uint32_t k = 0; k < header.height; ++k) {
      complete &= source.ReadRow(k, run.PixelRow());
      run.EmitRow();
    }
  }
  CString line =
      complete ? linePrefix + ResultText(header) + path : linePrefix + path + source.ReadFailure();
  run.EndPicture(line, path, complete);
}
