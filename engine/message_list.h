// MessageList: where a conversion run reports, one line per selected file.
// The command line prints the lines; the dialog shows them in its list box.
#pragma once

#include "platform/cstring.h"

class MessageList {
 public:
  virtual ~MessageList() = default;
  // Appends a line after all earlier ones.
  virtual void AddString(const CString& line) = 0;
  virtual int GetCount() const = 0;
  // Selects line `index` and scrolls it into view; -1 selects nothing.
  virtual void SetCurSel(int index) = 0;
};
