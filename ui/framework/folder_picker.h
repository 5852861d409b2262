// The desktop's folder chooser.
#pragma once

#include "platform/cstring.h"
#include "ui/framework/afx_types.h"

class CWnd;

// Runs the folder chooser modally, owned by pOwner, with lpszTitle above its
// tree and the BIF_* flags. Returns FALSE when the user cancels; otherwise
// rPath holds the chosen folder's file-system path as the system gives it,
// or the item's display name when it has no file-system path.
BOOL AfxBrowseForFolder(CWnd* pOwner, const wchar_t* lpszTitle, UINT ulFlags, CString& rPath);
