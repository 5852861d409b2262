// Drives the real dialog program, ZT_Rastrum.exe, from another process with
// window messages, the way a user's clicks and keys reach it, and reads its
// windows back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace win32_testing {

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// A system control class that a template names ("EDIT"): its name as
// GetClassName gives it ("Edit") and the system's number for it.
struct SystemClass {
  std::wstring name;
  uint16_t atom;
};
SystemClass SystemClassOf(std::string_view templateClass);

// The window's rectangle in the client coordinates of `dialog`.
RECT RectInClient(HWND window, HWND dialog);

// The lines of a list box, first to last.
std::vector<std::wstring> ListLines(HWND list);

// The children of `parent` in creation (tab) order.
std::vector<HWND> Children(HWND parent);

// Polls `ready` until it holds; gives up after half a minute, so that a
// dialog that never shows fails the test instead of hanging it.
template <typename Ready>
bool WaitFor(Ready ready) {
  for (int tries = 0; tries < 1500; ++tries) {
    if (ready()) return true;
    Sleep(20);
  }
  return false;
}

// Gives control `id` of `dialog` the focus and posts the key to it, as
// typing it there would; the dialog's own message loop then handles it.
void PressKeyIn(HWND dialog, int id, UINT key);

// Saves the screen's pixels under `window` as a PNG named `name` into the
// test artefact folder.
void SaveScreenshot(HWND window, const std::string& name);

// ZT_Rastrum.exe started in a folder of its own (its current directory,
// where a run writes its files).
class Program {
 public:
  explicit Program(const std::filesystem::path& dir);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts the program and waits for its main dialog "KV_Rastrum".
  bool Start();
  HWND Dialog() const { return dialog_; }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  DWORD ThreadId() const { return process_.dwThreadId; }

  std::wstring Text(int id) const { return WindowText(Item(id)); }
  void SetText(int id, const std::wstring& text);
  std::vector<std::wstring> Lines(int id) const { return ListLines(Item(id)); }
  UINT Check(int id) const;
  HWND Focus() const;

  // BM_CLICK; returns once the button's handler has returned.
  void Click(int id);
  // BM_CLICK for a handler that opens a modal window: returns at once.
  void PostClick(int id);
  // Gives control `id` the focus and posts the key to it, as typing it
  // there would.
  void PressKey(int id, UINT key) const { PressKeyIn(dialog_, id, key); }
  void PostSystemCommand(WPARAM command);
  // The mouse messages of a double click on line `line` of list box `id`.
  void PostDoubleClick(int id, int line);

  // A visible top-level window of the program with this caption, or null.
  HWND TopWindow(std::wstring_view caption) const;
  // The same, once it shows; null if it never does.
  HWND WaitForWindow(std::wstring_view caption) const;
  // True once no window of the program with this caption is left.
  bool WaitForNoWindow(std::wstring_view caption) const;
  // Waits for the process to end; false if it does not.
  bool WaitForExit(DWORD* exitCode);
  bool Running() const;

 private:
  std::filesystem::path dir_;
  PROCESS_INFORMATION process_ = {};
  HWND dialog_ = nullptr;
};

}  // namespace win32_testing
