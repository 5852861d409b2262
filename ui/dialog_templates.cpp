#include "ui/dialog_templates.h"

#include <array>

#include "rastrum_version.h"
#include "ui/app_icon.h"
#include "ui/resource.h"

namespace {

constexpr DialogFont kShellFont = {L"MS Shell Dlg", 9, 0, false, 1};
constexpr ResourceId kNoIcon = {0, nullptr};

// Styles as the templates give them; the names spell out what each holds.
constexpr uint32_t kEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr uint32_t kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr uint32_t kPushButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr uint32_t kLog =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
constexpr uint32_t kRadio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;

constexpr std::array kMainItems = {
    DialogItemTemplate{RESOURCE_ID(IDC_EXTENSIONS), "EDIT", nullptr, kNoIcon, kEdit, 24, 31, 130,
                       14},
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "STATIC",
                       L"Default search \".bmp\" in the bmp folder", kNoIcon, kLabel, 26, 16, 150,
                       9},
    DialogItemTemplate{RESOURCE_ID(IDC_CONVERT), "BUTTON", L"Convert to BIN", kNoIcon, kPushButton,
                       383, 14, 54, 31},
    DialogItemTemplate{RESOURCE_ID(IDC_LOG), "LISTBOX", nullptr, kNoIcon, kLog, 24, 68, 413, 273},
    DialogItemTemplate{RESOURCE_ID(IDC_AUX_LIST), "LISTBOX", nullptr, kNoIcon, kLog | LBS_SORT, 441,
                       68, 11, 273},
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "STATIC", L"File Path\uFF1A", kNoIcon, kLabel, 167,
                       16, 35, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_FOLDER), "EDIT", nullptr, kNoIcon, kEdit, 166, 30, 193, 15},
    DialogItemTemplate{RESOURCE_ID(IDC_BROWSE), "BUTTON", L"Browse", kNoIcon, kPushButton, 208, 13,
                       34, 13},
    DialogItemTemplate{RESOURCE_ID(IDC_DEPTH24), "BUTTON", L"24bit", kNoIcon, kRadio, 76, 50, 31,
                       10},
    DialogItemTemplate{RESOURCE_ID(IDC_DEPTH16), "BUTTON", L"16bit", kNoIcon, kRadio, 113, 50, 30,
                       10},
    DialogItemTemplate{RESOURCE_ID(IDC_DEPTH8), "BUTTON", L"8bit", kNoIcon, kRadio, 149, 50, 26,
                       10},
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "STATIC", L"Bin Option:", kNoIcon, kLabel, 31, 51,
                       44, 12},
    // Never shown: the template leaves out WS_VISIBLE.
    DialogItemTemplate{RESOURCE_ID(IDC_NOT_USE), "BUTTON", L"not use", kNoIcon,
                       WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 263, 49, 52, 14},
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "BUTTON", nullptr, kNoIcon,
                       WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 23, 44, 156, 19},
};

constexpr DialogTemplate kMainDialog = {
    RESOURCE_ID(IDD_RASTRUM_DIALOG),
    kLangChineseSimplified,
    L"ZT_Rastrum",
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SHELLFONT,
    WS_EX_APPWINDOW,
    0,
    0,
    459,
    354,
    kShellFont,
    kMainItems,
};

constexpr std::array kAboutItems = {
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "STATIC", nullptr, RESOURCE_ID(IDR_MAINFRAME),
                       WS_CHILD | WS_VISIBLE | SS_ICON, 14, 14, 21, 20},
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "STATIC", L"ZT_Rastrum\uFF0C" RASTRUM_VERSION_SHORT,
                       kNoIcon, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX, 42, 14, 114, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "STATIC", L"Copyright (C) 2024 ZT", kNoIcon, kLabel,
                       42, 26, 114, 8},
    DialogItemTemplate{RESOURCE_ID(IDOK), "BUTTON", L"\u786E\u5B9A", kNoIcon,
                       WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 113, 41,
                       50, 14},
};

constexpr DialogTemplate kAboutDialog = {
    RESOURCE_ID(IDD_ABOUTBOX),
    kLangChineseSimplified,
    L"\u5173\u4E8E Rastrum",
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT,
    0,
    0,
    0,
    170,
    62,
    kShellFont,
    kAboutItems,
};

// Source and converted picture side by side, each pane 205 x 190 units.
constexpr uint32_t kPicture = WS_CHILD | WS_VISIBLE | SS_BITMAP;

constexpr std::array kPreviewItems = {
    DialogItemTemplate{RESOURCE_ID(IDC_PREVIEW_SOURCE_LABEL), "STATIC", L"Source", kNoIcon, kLabel,
                       7, 7, 205, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_PREVIEW_SOURCE), "STATIC", nullptr, kNoIcon, kPicture, 7, 17,
                       205, 190},
    DialogItemTemplate{RESOURCE_ID(IDC_PREVIEW_SHOWN_LABEL), "STATIC", L"On the display", kNoIcon,
                       kLabel, 218, 7, 205, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_PREVIEW_SHOWN), "STATIC", nullptr, kNoIcon, kPicture, 218,
                       17, 205, 190},
    DialogItemTemplate{RESOURCE_ID(IDC_PREVIEW_NAME), "STATIC", nullptr, kNoIcon,
                       kLabel | SS_NOPREFIX, 7, 212, 416, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_PREVIEW_PLACE), "STATIC", nullptr, kNoIcon, kLabel, 7, 222,
                       416, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_STATIC), "STATIC", L"Zoom:", kNoIcon, kLabel, 7, 238, 24, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_ZOOM_OUT), "BUTTON", L"-", kNoIcon, kPushButton, 33, 235, 24,
                       14},
    DialogItemTemplate{RESOURCE_ID(IDC_ZOOM), "STATIC", nullptr, kNoIcon, kLabel, 61, 238, 16, 8},
    DialogItemTemplate{RESOURCE_ID(IDC_ZOOM_IN), "BUTTON", L"+", kNoIcon, kPushButton, 79, 235, 24,
                       14},
    DialogItemTemplate{RESOURCE_ID(IDCANCEL), "BUTTON", L"Close", kNoIcon, kPushButton, 373, 235,
                       50, 14},
};

constexpr DialogTemplate kPreviewDialog = {
    RESOURCE_ID(IDD_PREVIEW),
    kLangChineseSimplified,
    L"Picture preview",
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT,
    0,
    0,
    0,
    430,
    256,
    kShellFont,
    kPreviewItems,
};

constexpr std::array kDialogs = {kAboutDialog, kMainDialog, kPreviewDialog};

constexpr std::array kStrings = {
    StringResource{RESOURCE_ID(IDS_ABOUTBOX), kLangChineseSimplified,
                   L"\u5173\u4E8E Quarry(&A)..."},
};

constexpr std::array kIcons = {
    IconResource{RESOURCE_ID(IDR_MAINFRAME), kAppIconSizes, &AppIconPixels, "res/rastrum.ico"},
};

constexpr ResourceTable kResources = {kDialogs, kStrings, kIcons};

}  // namespace

const DialogTemplate& MainDialogTemplate() {
  return kMainDialog;
}
const DialogTemplate& AboutDialogTemplate() {
  return kAboutDialog;
}

const DialogTemplate& PreviewDialogTemplate() {
  return kPreviewDialog;
}

const ResourceTable& AfxGetResourceTable() {
  return kResources;
}
