// The preview run: the conversion walk with the preview page as its only output.
#include "engine/quarry_engine.h"
#include "platform/text_encoding.h"

int CQuarryEngine::PreviewFolder(const CString& folder, const CString& page) {
  OutputPlan plan = MakeOutputPlan(folder);
  plan.previewPage = platform::WideToAnsi(page);
  return RunFolder(plan, folder);
}
