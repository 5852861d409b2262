// The application's message box: captioned with the application's name.
#pragma once

#include "ui/framework/afx_types.h"

// Shows the text modally with the buttons of nType (MB_OK) and returns the
// button pressed (IDOK).
int AfxMessageBox(const wchar_t* lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
