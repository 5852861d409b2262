// What the Windows dialog manager does for a dialog built from a template,
// written once for the backends that build dialogs themselves (wx,
// headless). Such a backend maps the template's controls to widgets and
// forwards what the user does; DialogWindow decides what that means: which
// control takes the focus, what Enter and Escape send, the system menu and
// the default processing of the messages no handler takes. The Win32
// backend leaves all of this to the system.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "platform/cstring.h"
#include "ui/framework/afx_types.h"
#include "ui/framework/menu.h"
#include "ui/framework/resources.h"

class CDialog;

namespace dialog_manager {

enum class ControlKind {
  kEdit,
  kText,
  kIcon,
  kPicture,
  kPushButton,
  kDefPushButton,
  kCheckBox,
  kRadioButton,
  kGroupBox,
  kListBox,
};

ControlKind KindOf(const DialogItemTemplate& item);

// Auto radio buttons form groups between controls marked WS_GROUP: pressing
// one clears the others of its group. True for the first radio button of
// its group.
bool StartsRadioGroup(std::span<const DialogItemTemplate> items, size_t index);

// Indexes of the radio buttons in the same group as items[index].
std::vector<size_t> RadioGroupOf(std::span<const DialogItemTemplate> items, size_t index);

struct MenuItem {
  UINT flags;  // MF_STRING, MF_SEPARATOR, MF_GRAYED
  UINT id;
  CString text;
};

// The system menu's own items for a window of this style: those a desktop
// without a Windows title-bar menu lets the window do itself (minimize,
// close); moving and sizing stay with the window manager.
std::vector<MenuItem> DefaultSystemMenu(uint32_t windowStyle);

}  // namespace dialog_manager

// The backend's window of one modal dialog. Handles of these backends are
// their own pointers; CMenu's HMENU points to the system menu's item list.
class DialogWindow {
 public:
  DialogWindow(CDialog& owner, const DialogTemplate& tmpl);
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  CDialog& Owner() const { return owner_; }
  const DialogTemplate& Template() const { return tmpl_; }
  virtual HWND Handle() = 0;

  // BN_CLICKED from control `id` (from: its handle, or null for a key).
  void Command(int id, HWND from);
  // A control's notification (LBN_DBLCLK), as WM_COMMAND to the dialog.
  void Notify(int id, UINT code, HWND from);
  // A focused push button is pressed; elsewhere Enter sends the default
  // push button's command, or IDOK when the template has none.
  void PressEnter();
  void PressEscape();
  // Moves the focus to the next visible WS_TABSTOP control, in template
  // order and round again.
  void PressTab();
  // Right or Down (forward), Left or Up: unless the focused control takes
  // arrow keys itself (an edit, a list), moves the focus to the next or
  // previous control of its group, round again, and checks an auto radio
  // button that gets it. False when the control takes the key.
  bool PressArrow(bool forward);
  void SystemCommand(UINT command);
  // When OnInitDialog returns TRUE: the first visible WS_TABSTOP control.
  void FocusFirstTabStop();

  // CWnd::DefWindowProc of the dialog: painting as usual; the system
  // commands minimize, restore and close (IDCANCEL).
  void DefaultProcessing(UINT message, WPARAM wParam);
  virtual BOOL EraseIconBackground(HDC hdc) = 0;

  // Null when the style has no WS_SYSMENU.
  CMenu* SystemMenu();
  const std::vector<dialog_manager::MenuItem>& SystemMenuItems() const { return systemMenu_; }

  void SetIcon(HICON icon, bool big);
  HICON Icon(bool big) const { return big ? bigIcon_ : smallIcon_; }

  // Ends the modal loop; before the loop runs, the loop never starts.
  void End(int result);
  bool Ended() const { return ended_; }
  INT_PTR Result() const { return result_; }
  INT_PTR RunModal();

 protected:
  // What the backend does with its widgets. Controls go by their index in
  // the template; FocusedControl gives the items' count when none has it.
  virtual bool IsControlShown(size_t index) const = 0;
  virtual HWND ControlHandle(size_t index) const = 0;
  virtual size_t FocusedControl() const = 0;
  virtual void FocusControl(size_t index) = 0;
  virtual bool IsButtonChecked(size_t index) const = 0;
  // Checks a radio button and clears the others of its group.
  virtual void CheckRadioButton(size_t index) = 0;
  virtual void SetMinimized(bool minimized) = 0;
  virtual void PaintDefault() = 0;
  virtual void IconsChanged() {}
  virtual INT_PTR RunModalLoop() = 0;
  virtual void EndModalLoop(int result) = 0;

 private:
  size_t NextTabStop(size_t after) const;
  size_t NextGroupItem(size_t from, bool forward) const;

  CDialog& owner_;
  const DialogTemplate& tmpl_;
  std::vector<dialog_manager::MenuItem> systemMenu_;
  CMenu systemMenuObject_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

// Defined by each of these backends. The window behind a dialog's handle;
// null for a control's handle or any other.
DialogWindow* DialogWindowOf(HWND hWnd);
// Builds the dialog's window and its controls from the template, hidden.
std::unique_ptr<DialogWindow> CreateDialogWindow(CDialog& dialog, const DialogTemplate& tmpl,
                                                 HWND owner);
