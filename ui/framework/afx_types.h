// The framework's basic types and the window-system constants the dialog
// classes use. Handles are opaque: each backend decides what they point to
// (a wxWindow, an HWND, a headless model). The typedefs and values are those
// of the Windows headers, token for token, so a Win32 backend can include
// <windows.h> first and this header after it without any conflict.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef UINT_PTR WPARAM;

typedef struct HWND__* HWND;
typedef struct HICON__* HICON;
typedef HICON HCURSOR;
typedef struct HDC__* HDC;
typedef struct HMENU__* HMENU;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#ifndef MAKEWPARAM
#define MAKEWPARAM(l, h) ((WPARAM)(UINT)(((UINT)(l)&0xffff) | ((UINT)(h)&0xffff) << 16))
#endif

// Messages the message maps and the default processing know.
#ifndef WM_PAINT
#define WM_PAINT 0x000F
#endif
#ifndef WM_ICONERASEBKGND
#define WM_ICONERASEBKGND 0x0027
#endif
#ifndef WM_QUERYDRAGICON
#define WM_QUERYDRAGICON 0x0037
#endif
#ifndef WM_COMMAND
#define WM_COMMAND 0x0111
#endif
#ifndef WM_SYSCOMMAND
#define WM_SYSCOMMAND 0x0112
#endif
#ifndef BN_CLICKED
#define BN_CLICKED 0
#endif
#ifndef LBN_DBLCLK
#define LBN_DBLCLK 2
#endif

// System commands (WM_SYSCOMMAND); the low four bits are the system's own.
#ifndef SC_MINIMIZE
#define SC_MINIMIZE 0xF020
#endif
#ifndef SC_CLOSE
#define SC_CLOSE 0xF060
#endif
#ifndef SC_RESTORE
#define SC_RESTORE 0xF120
#endif

#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

#ifndef SW_HIDE
#define SW_HIDE 0
#endif
#ifndef SW_SHOW
#define SW_SHOW 5
#endif

#ifndef BST_UNCHECKED
#define BST_UNCHECKED 0x0000
#endif
#ifndef BST_CHECKED
#define BST_CHECKED 0x0001
#endif

#ifndef MB_OK
#define MB_OK 0x00000000L
#endif
#ifndef MB_ICONERROR
#define MB_ICONERROR 0x00000010L
#endif
#ifndef MB_ICONMASK
#define MB_ICONMASK 0x000000F0L
#endif

#ifndef MF_STRING
#define MF_STRING 0x00000000L
#endif
#ifndef MF_GRAYED
#define MF_GRAYED 0x00000001L
#endif
#ifndef MF_SEPARATOR
#define MF_SEPARATOR 0x00000800L
#endif

#ifndef SM_CXICON
#define SM_CXICON 11
#endif
#ifndef SM_CYICON
#define SM_CYICON 12
#endif

#ifndef ICC_WIN95_CLASSES
#define ICC_WIN95_CLASSES 0x000000FF
#endif

#ifndef BIF_RETURNONLYFSDIRS
#define BIF_RETURNONLYFSDIRS 0x00000001
#endif
#ifndef BIF_DONTGOBELOWDOMAIN
#define BIF_DONTGOBELOWDOMAIN 0x00000002
#endif
#ifndef BIF_BROWSEFORCOMPUTER
#define BIF_BROWSEFORCOMPUTER 0x00001000
#endif

// Window and control styles, as the dialog templates spell them.
#ifndef WS_POPUP
#define WS_POPUP 0x80000000L
#endif
#ifndef WS_CHILD
#define WS_CHILD 0x40000000L
#endif
#ifndef WS_VISIBLE
#define WS_VISIBLE 0x10000000L
#endif
#ifndef WS_CAPTION
#define WS_CAPTION 0x00C00000L
#endif
#ifndef WS_BORDER
#define WS_BORDER 0x00800000L
#endif
#ifndef WS_VSCROLL
#define WS_VSCROLL 0x00200000L
#endif
#ifndef WS_SYSMENU
#define WS_SYSMENU 0x00080000L
#endif
#ifndef WS_THICKFRAME
#define WS_THICKFRAME 0x00040000L
#endif
#ifndef WS_GROUP
#define WS_GROUP 0x00020000L
#endif
#ifndef WS_TABSTOP
#define WS_TABSTOP 0x00010000L
#endif
#ifndef WS_MINIMIZEBOX
#define WS_MINIMIZEBOX 0x00020000L
#endif
#ifndef WS_MAXIMIZEBOX
#define WS_MAXIMIZEBOX 0x00010000L
#endif
#ifndef WS_EX_APPWINDOW
#define WS_EX_APPWINDOW 0x00040000L
#endif
#ifndef DS_MODALFRAME
#define DS_MODALFRAME 0x80L
#endif
#ifndef BS_PUSHBUTTON
#define BS_PUSHBUTTON 0x00000000L
#endif
#ifndef BS_DEFPUSHBUTTON
#define BS_DEFPUSHBUTTON 0x00000001L
#endif
#ifndef BS_AUTOCHECKBOX
#define BS_AUTOCHECKBOX 0x00000003L
#endif
#ifndef BS_GROUPBOX
#define BS_GROUPBOX 0x00000007L
#endif
#ifndef BS_AUTORADIOBUTTON
#define BS_AUTORADIOBUTTON 0x00000009L
#endif
#ifndef BS_TYPEMASK
#define BS_TYPEMASK 0x0000000FL
#endif
#ifndef ES_AUTOHSCROLL
#define ES_AUTOHSCROLL 0x0080L
#endif
#ifndef LBS_NOTIFY
#define LBS_NOTIFY 0x0001L
#endif
#ifndef LBS_SORT
#define LBS_SORT 0x0002L
#endif
#ifndef LBS_NOINTEGRALHEIGHT
#define LBS_NOINTEGRALHEIGHT 0x0100L
#endif
#ifndef SS_LEFT
#define SS_LEFT 0x00000000L
#endif
#ifndef SS_ICON
#define SS_ICON 0x00000003L
#endif
#ifndef SS_BITMAP
#define SS_BITMAP 0x0000000EL
#endif
#ifndef SS_TYPEMASK
#define SS_TYPEMASK 0x0000001FL
#endif
#ifndef SS_NOPREFIX
#define SS_NOPREFIX 0x00000080L
#endif
#ifndef DS_FIXEDSYS
#define DS_FIXEDSYS 0x0008L
#endif
#ifndef DS_SETFONT
#define DS_SETFONT 0x40L
#endif
#ifndef DS_SHELLFONT
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)
#endif
