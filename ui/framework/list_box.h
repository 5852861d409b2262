// CListBox: a list box control attached by DDX_Control.
#pragma once

#include "platform/cstring.h"
#include "ui/framework/wnd.h"

class CListBox : public CWnd {
 public:
  CListBox() = default;
  ~CListBox() override = default;

  // LB_ADDSTRING: appends the line (the list is not sorted) or, in a sorted
  // list, inserts it in order.
  void AddString(const CString& line);
  // LB_GETCOUNT.
  int GetCount() const;
  // LB_GETCURSEL: the selected line, or -1.
  int GetCurSel() const;
  // LB_SETCURSEL: selects the line and scrolls it into view; -1 clears the
  // selection.
  void SetCurSel(int index);
  // LB_RESETCONTENT.
  void ResetContent();
};
