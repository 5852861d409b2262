// What Wine does not hand across processes, checked with the main dialog
// running in this test's own process on a thread of its own (the same dialog
// classes, Win32 backend and resource script as ZT_Rastrum.exe): the
// system menu, the window and drag icons, and the icon drawn while minimized.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/dialog/win32_driver.h"
#include "ui/quarry_dlg.h"
#include "ui/resource.h"

namespace {

struct DrawnIcon {
  int x, y;
  HICON icon;
};

std::vector<DrawnIcon> g_drawnIcons;

using DrawIconFunction = BOOL(WINAPI*)(HDC, int, int, HICON);

void* SystemDrawIcon() {
  return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "DrawIcon"));
}

BOOL WINAPI RecordDrawIcon(HDC hdc, int x, int y, HICON icon) {
  g_drawnIcons.push_back({x, y, icon});
  return reinterpret_cast<DrawIconFunction>(SystemDrawIcon())(hdc, x, y, icon);
}

// Points this executable's import of user32's DrawIcon at `replacement`,
// so the test sees the backend's calls; returns the entry it replaced.
void* PatchDrawIconImport(void* replacement) {
  auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleW(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  void* target = SystemDrawIcon();
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    for (auto* slot = reinterpret_cast<void**>(base + entry->FirstThunk); *slot; ++slot) {
      if (*slot != target && *slot != reinterpret_cast<void*>(RecordDrawIcon)) continue;
      DWORD protection = 0;
      VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
      void* previous = *slot;
      *slot = replacement;
      VirtualProtect(slot, sizeof *slot, protection, &protection);
      return previous;
    }
  }
  return nullptr;
}

// What the dialog's owner learns from the dialog manager: WM_ENTERIDLE comes
// each time the modal loop runs out of messages, which is also after the
// loop's first showing of the dialog, and names the dialog.
struct IdleSignal {
  HANDLE event;
  std::atomic<HWND> dialog;
};

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE) {
    auto* signal = reinterpret_cast<IdleSignal*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    signal->dialog = reinterpret_cast<HWND>(lParam);
    SetEvent(signal->event);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// CQuarryDlg run modally on a thread of its own, owned by a hidden window;
// the test thread sends it messages once its loop waits for input.
class InProcessDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    idle_.event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    thread_ = std::thread([this] { RunDialog(); });
    ASSERT_EQ(WaitForSingleObject(idle_.event, 30000), WAIT_OBJECT_0);
    dialog_ = idle_.dialog;
  }
  void TearDown() override {
    PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
    thread_.join();
    EXPECT_EQ(result_, IDCANCEL);
    CloseHandle(idle_.event);
  }

  void RunDialog() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RastrumTestOwner";
    RegisterClassW(&windowClass);
    HWND owner = CreateWindowW(L"RastrumTestOwner", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&idle_));
    CWnd ownerWnd;
    ownerWnd.Attach(owner);
    {
      CQuarryDlg dlg(&ownerWnd);
      result_ = dlg.DoModal();
    }
    DestroyWindow(owner);
  }

  IdleSignal idle_ = {};
  std::thread thread_;
  HWND dialog_ = nullptr;
  INT_PTR result_ = 0;
};

}  // namespace

// Wine adds an item of its own to every system menu, so the About item is
// found by its command.
TEST_F(InProcessDialog, SystemMenuHasSeparatorThenTheAboutItem) {
  HMENU menu = GetSystemMenu(dialog_, FALSE);
  ASSERT_NE(menu, nullptr);
  std::vector<int> positions;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (GetMenuItemID(menu, i) == IDM_ABOUTBOX) positions.push_back(i);
  }
  ASSERT_EQ(positions.size(), 1u);
  int about = positions.front();
  ASSERT_GT(about, 0);
  EXPECT_TRUE(GetMenuState(menu, about - 1, MF_BYPOSITION) & MF_SEPARATOR);
  wchar_t text[64] = {};
  GetMenuStringW(menu, IDM_ABOUTBOX, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"\u5173\u4E8E Quarry(&A)...");
  // The window's own commands stay.
  EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(InProcessDialog, IconsAreIcon128) {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dialog_, WM_GETICON, ICON_BIG, 0)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dialog_, WM_GETICON, ICON_SMALL, 0)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dialog_, WM_QUERYDRAGICON, 0, 0)), icon);
}

// A minimized window has no client area on the screen to show, so the test
// records the backend's DrawIcon call instead: centred by the client size,
// (width - icon width + 1) / 2 truncated toward zero.
TEST_F(InProcessDialog, MinimizedDialogDrawsItsIconCentred) {
  void* original = PatchDrawIconImport(reinterpret_cast<void*>(RecordDrawIcon));
  ASSERT_NE(original, nullptr);
  g_drawnIcons.clear();
  SendMessageW(dialog_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(IsIconic(dialog_));
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SendMessageW(dialog_, WM_PAINT, 0, 0);
  std::vector<DrawnIcon> drawn = g_drawnIcons;

  RECT client = {};
  GetClientRect(dialog_, &client);
  int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().x, (client.right - cx + 1) / 2);
  EXPECT_EQ(drawn.back().y, (client.bottom - cy + 1) / 2);
  EXPECT_EQ(drawn.back().icon, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128)));

  // Restored, the dialog paints as usual and draws no icon.
  SendMessageW(dialog_, WM_SYSCOMMAND, SC_RESTORE, 0);
  g_drawnIcons.clear();
  RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(g_drawnIcons.empty());
  PatchDrawIconImport(original);
}
