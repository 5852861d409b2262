// The headless backend: dialogs as in-memory models, driven by tests. A
// test installs a modal driver; every DoModal builds the dialog from its
// template, runs OnInitDialog and hands a ModalView to the driver, which
// types, clicks and presses keys the way a user would and closes the dialog.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/cstring.h"
#include "ui/framework/dialog.h"
#include "ui/framework/dialog_manager.h"
#include "ui/framework/pixel_view.h"

namespace headless {

struct Window;

struct PaintRecord {
  bool erasedIconBackground = false;
  bool drewIcon = false;
  int iconX = 0;
  int iconY = 0;
  HICON icon = nullptr;
  bool defaultPainting = false;
};

class ModalView {
 public:
  explicit ModalView(Window& window) : window_(window) {}

  CDialog& Dialog() const;
  UINT TemplateId() const;
  CString Caption() const;
  HICON Icon(bool big) const;
  bool Ended() const;
  INT_PTR Result() const;

  // Controls by id; the first control with that id.
  CString Text(int id) const;
  bool IsVisible(int id) const;
  UINT Check(int id) const;
  std::vector<CString> Lines(int id) const;
  int CurSel(int id) const;
  // The first line the list shows: selecting a line scrolls it into view.
  int TopIndex(int id) const;
  // Lines the list received while the busy pointer was up.
  int LinesAddedBusy(int id) const;
  // What a picture control shows (CPixelView::SetPixels); empty until set.
  const ZoomedPixels& Picture(int id) const;
  // Id of the control with the focus; 0 when none.
  int Focus() const;

  // Replaces an edit's text, as typing it would.
  void Type(int id, const CString& text);
  // Clicks a control; a hidden control cannot be clicked. Buttons take the
  // focus; auto radio buttons and check boxes change state first.
  void Click(int id);
  void SetFocus(int id);
  // Double-clicks line `line` of a list: the first click selects it and
  // takes the focus; a list with LBS_NOTIFY then notifies LBN_DBLCLK.
  void DoubleClick(int id, int line);
  void PressEnter();
  void PressEscape();
  void PressTab();
  // Right or Down (forward), Left or Up.
  void PressArrow(bool forward);

  const std::vector<dialog_manager::MenuItem>& SystemMenu() const;
  // Chooses a system-menu command (as WM_SYSCOMMAND).
  void ChooseSystemCommand(UINT command);

  // Paints the window as the system would after minimizing it to a
  // client area of the given size.
  PaintRecord PaintMinimized(int clientWidth, int clientHeight);
  PaintRecord Paint();

 private:
  Window& window_;
};

using ModalDriver = std::function<void(ModalView&)>;

// The driver for every DoModal from now on (null: close each at once with
// IDCANCEL). A driver that leaves a dialog open makes DoModal return -1.
void SetModalDriver(ModalDriver driver);

struct MessageBoxCall {
  CString text;
  CString caption;
  UINT type;
  UINT helpId;
};
const std::vector<MessageBoxCall>& MessageBoxes();

struct FolderChooserCall {
  CString title;
  UINT flags;
  int ownerId;  // the control id of the owner window
};
const std::vector<FolderChooserCall>& FolderChooserCalls();
// What the next folder choosers return: a path, or nothing (cancelled).
void SetFolderChooserAnswer(std::optional<CString> path);

// Common-control classes registered by AfxInitCommonControls (0: none).
UINT RegisteredControlClasses();
int SystemIconSize();

// Forgets every record and answer, and the driver.
void Reset();

}  // namespace headless
