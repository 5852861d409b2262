// The process entry of the Win32 backend: names the application after its
// executable and runs CWinApp::InitInstance, as the framework's WinMain
// does. A TRUE result keeps the application in a message loop of its own.
#include <windows.h>
// clang-format off
#include "ui/framework/win32_names.h"
// clang-format on

#include <string>

#include "platform/cstring.h"
#include "ui/framework/win_app.h"

namespace {

CString ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return CString(std::move(path));
    }
    path.resize(path.size() * 2);
  }
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  if (app->m_strAppName.IsEmpty()) app->SetAppName(AfxAppNameFromPath(ModulePath()));
  if (app->InitInstance()) RunMessageLoop();
  return app->ExitInstance();
}
