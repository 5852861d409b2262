// The process entry of the wx backend: starts wx, names the application
// after its executable and runs CWinApp::InitInstance, as the framework's
// WinMain does.
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>

#include "platform/cstring.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wx_host.h"

namespace {

class FrameworkWxApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(FrameworkWxApp);

int main(int argc, char** argv) {
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "%s: cannot open the display\n", argc > 0 ? argv[0] : "dialog");
    return 1;
  }
  wxTheApp->CallOnInit();
  if (app->m_strAppName.IsEmpty()) {
    app->SetAppName(AfxAppNameFromPath(FromWxString(wxString(argv[0]))));
  }
  if (app->InitInstance()) wxTheApp->OnRun();
  int exitCode = app->ExitInstance();
  wxEntryCleanup();
  return exitCode;
}
