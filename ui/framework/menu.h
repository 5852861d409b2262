// CMenu: a menu of the backend; here only the window's system menu.
#pragma once

#include "ui/framework/afx_types.h"

class CMenu {
 public:
  CMenu() = default;
  explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}

  HMENU m_hMenu = nullptr;

  // MF_SEPARATOR, or MF_STRING with the command id and the text ('&' marks
  // the mnemonic).
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const wchar_t* lpszNewItem = nullptr);
};
