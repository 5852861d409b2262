// Templates 102 and 100 as the dialog is specified, written out here on
// their own so that the resource script, generated from the resource
// tables, is checked against an independent copy.
#pragma once

#include <cstdint>
#include <span>

namespace win32_testing {

struct ExpectedControl {
  int id;
  const wchar_t* templateClass;  // as the template names it
  const wchar_t* className;      // as GetClassName gives it
  uint16_t classAtom;            // the system's number for that class
  const wchar_t* text;           // null: the icon resource 128
  uint32_t style;
  int x, y, cx, cy;
};

struct ExpectedDialog {
  int id;
  const wchar_t* caption;
  uint32_t style;
  uint32_t exStyle;
  int cx, cy;
  std::span<const ExpectedControl> controls;
};

inline constexpr uint16_t kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kListBox = 0x0083;

inline constexpr ExpectedControl kMainControls[] = {
    {1000, L"EDIT", L"Edit", kEdit, L"", 0x50810080, 24, 31, 130, 14},
    {-1, L"STATIC", L"Static", kStatic, L"Default search \".bmp\" in the bmp folder", 0x50020000,
     26, 16, 150, 9},
    {1001, L"BUTTON", L"Button", kButton, L"Convert to BIN", 0x50010000, 383, 14, 54, 31},
    {1002, L"LISTBOX", L"ListBox", kListBox, L"", 0x50A10101, 24, 68, 413, 273},
    {1003, L"LISTBOX", L"ListBox", kListBox, L"", 0x50A10103, 441, 68, 11, 273},
    {-1, L"STATIC", L"Static", kStatic, L"File Path\uFF1A", 0x50020000, 167, 16, 35, 8},
    {1005, L"EDIT", L"Edit", kEdit, L"", 0x50810080, 166, 30, 193, 15},
    {1006, L"BUTTON", L"Button", kButton, L"Browse", 0x50010000, 208, 13, 34, 13},
    {1007, L"BUTTON", L"Button", kButton, L"24bit", 0x50000009, 76, 50, 31, 10},
    {1008, L"BUTTON", L"Button", kButton, L"16bit", 0x50000009, 113, 50, 30, 10},
    {1009, L"BUTTON", L"Button", kButton, L"8bit", 0x50000009, 149, 50, 26, 10},
    {-1, L"STATIC", L"Static", kStatic, L"Bin Option:", 0x50020000, 31, 51, 44, 12},
    {1004, L"BUTTON", L"Button", kButton, L"not use", 0x40010003, 263, 49, 52, 14},
    {-1, L"BUTTON", L"Button", kButton, L"", 0x50000007, 23, 44, 156, 19},
};

inline constexpr ExpectedControl kAboutControls[] = {
    {-1, L"STATIC", L"Static", kStatic, nullptr, 0x50000003, 14, 14, 21, 20},
    {-1, L"STATIC", L"Static", kStatic, L"ZT_Rastrum\uFF0C1.0", 0x50020080, 42, 14, 114, 8},
    {-1, L"STATIC", L"Static", kStatic, L"Copyright (C) 2024 ZT", 0x50020000, 42, 26, 114, 8},
    {1, L"BUTTON", L"Button", kButton, L"\u786E\u5B9A", 0x50030001, 113, 41, 50, 14},
};

inline constexpr ExpectedDialog kMainDialog = {102, L"ZT_Rastrum", 0x90CA00C8,   0x00040000,
                                               459, 354,           kMainControls};
inline constexpr ExpectedDialog kAboutDialog = {100, L"\u5173\u4E8E Rastrum", 0x80C800C8, 0, 170,
                                                62,  kAboutControls};

// Chinese Simplified, PRC.
inline constexpr uint16_t kTemplateLanguage = 0x0804;

}  // namespace win32_testing
