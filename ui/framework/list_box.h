// CListBox: a list box control attached by DDX_Control. It is also where the
// conversion engine reports, so the engine writes straight into the dialog.
#pragma once

#include "engine/message_list.h"
#include "platform/cstring.h"
#include "ui/framework/wnd.h"

class CListBox : public CWnd, public MessageList {
 public:
  CListBox() = default;
  ~CListBox() override = default;

  // LB_ADDSTRING: appends the line (the list is not sorted) or, in a sorted
  // list, inserts it in order.
  void AddString(const CString& line) override;
  // LB_GETCOUNT.
  int GetCount() const override;
  // LB_SETCURSEL: selects the line and scrolls it into view; -1 clears the
  // selection.
  void SetCurSel(int index) override;
  // LB_RESETCONTENT.
  void ResetContent();
};
