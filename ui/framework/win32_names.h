// For a Win32 backend: <windows.h> maps these names to their ...W forms as
// macros, which would rename the framework's members in the backend but not
// in the dialog classes. Include this right after <windows.h>.
#pragma once

#undef AppendMenu
#undef DefWindowProc
#undef GetDlgItemText
#undef LoadIcon
#undef SendMessage
#undef SetDlgItemText
#undef SetWindowText
