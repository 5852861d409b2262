#include "tests/dialog/win32_driver.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "ui/tools/image_files.h"

namespace win32_testing {

namespace {

struct WindowSearch {
  DWORD processId;
  std::wstring_view caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
  if (WindowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  auto* children = reinterpret_cast<std::vector<HWND>*>(param);
  children->push_back(window);
  return TRUE;
}

// The screen's pixels in `rect` as 0xAARRGGBB, rows top first.
std::vector<uint32_t> ScreenPixels(const RECT& rect) {
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                               static_cast<const uint32_t*>(bits) + width * height);
  for (uint32_t& pixel : pixels) pixel |= 0xFF000000u;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

// WM_GETTEXT, not GetWindowText, which cannot read the text of another
// process's edit control.
std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                      SMTO_NORMAL, 30000, &length);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

SystemClass SystemClassOf(std::string_view templateClass) {
  if (templateClass == "BUTTON") return {L"Button", 0x0080};
  if (templateClass == "EDIT") return {L"Edit", 0x0081};
  if (templateClass == "STATIC") return {L"Static", 0x0082};
  if (templateClass == "LISTBOX") return {L"ListBox", 0x0083};
  return {L"", 0};
}

RECT RectInClient(HWND window, HWND dialog) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<std::wstring> ListLines(HWND list) {
  std::vector<std::wstring> lines;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    LRESULT length = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    line.resize(length == LB_ERR ? 0 : static_cast<size_t>(length));
    lines.push_back(line);
  }
  return lines;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

void PressKeyIn(HWND dialog, int id, UINT key) {
  HWND control = GetDlgItem(dialog, id);
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

void SaveScreenshot(HWND window, const std::string& name) {
  RECT rect = {};
  if (!GetWindowRect(window, &rect)) return;
  rect.left = std::max(rect.left, 0L);
  rect.top = std::max(rect.top, 0L);
  std::vector<uint32_t> pixels = ScreenPixels(rect);
  std::vector<uint8_t> png =
      EncodePng(pixels.data(), rect.right - rect.left, rect.bottom - rect.top);
  std::filesystem::path dir = RASTRUM_SCREENSHOT_DIR;
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

Program::Program(const std::filesystem::path& dir) : dir_(dir) {}

Program::~Program() {
  if (!process_.hProcess) return;
  if (Running()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 10000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool Program::Start() {
  std::wstring commandLine = L"\"" + std::wstring(RASTRUM_ZT_RASTRUM_EXE) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(RASTRUM_ZT_RASTRUM_EXE, commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, dir_.c_str(), &startup, &process_)) {
    return false;
  }
  dialog_ = WaitForWindow(L"KV_Rastrum");
  if (!dialog_) return false;
  // The dialog manager shows the dialog again, normal size, the first time
  // its queue runs empty; only then is the dialog fully set up. Idle comes
  // just before that showing, and the round trip just after it.
  WaitForInputIdle(process_.hProcess, 30000);
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored) != 0;
}

void Program::SetText(int id, const std::wstring& text) {
  SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

UINT Program::Check(int id) const {
  return static_cast<UINT>(SendMessageW(Item(id), BM_GETCHECK, 0, 0));
}

HWND Program::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

void Program::Click(int id) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(Item(id), BM_CLICK, 0, 0, SMTO_NORMAL, 60000, &result);
}

void Program::PostClick(int id) {
  PostMessageW(Item(id), BM_CLICK, 0, 0);
}

void Program::PostSystemCommand(WPARAM command) {
  PostMessageW(dialog_, WM_SYSCOMMAND, command, 0);
}

void Program::PostDoubleClick(int id, int line) {
  HWND list = Item(id);
  auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  LPARAM at = MAKELPARAM(20, (line - top) * height + height / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}

HWND Program::TopWindow(std::wstring_view caption) const {
  WindowSearch search = {process_.dwProcessId, caption, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Program::WaitForWindow(std::wstring_view caption) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = TopWindow(caption)) != nullptr; });
  return found;
}

bool Program::WaitForNoWindow(std::wstring_view caption) const {
  return WaitFor([&] { return TopWindow(caption) == nullptr; });
}

bool Program::WaitForExit(DWORD* exitCode) {
  if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_.hProcess, exitCode);
  return true;
}

bool Program::Running() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

}  // namespace win32_testing
