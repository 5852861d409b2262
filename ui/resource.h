// Resource ids of the dialog program. Plain macros: the resource compiler
// reads this file too.
#pragma once

#define IDM_ABOUTBOX 0x0010
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_RASTRUM_DIALOG 102
#define IDD_PREVIEW 103
#define IDR_MAINFRAME 128

#define IDC_EXTENSIONS 1000
#define IDC_CONVERT 1001
#define IDC_LOG 1002
#define IDC_AUX_LIST 1003
#define IDC_NOT_USE 1004
#define IDC_FOLDER 1005
#define IDC_BROWSE 1006
#define IDC_DEPTH24 1007
#define IDC_DEPTH16 1008
#define IDC_DEPTH8 1009
#define IDC_PREVIEW_SOURCE 1010
#define IDC_PREVIEW_SHOWN 1011
#define IDC_PREVIEW_SHOWN_LABEL 1012
#define IDC_PREVIEW_NAME 1013
#define IDC_PREVIEW_PLACE 1014
#define IDC_ZOOM_OUT 1015
#define IDC_ZOOM_IN 1016
#define IDC_ZOOM 1017
#define IDC_PREVIEW_SOURCE_LABEL 1018

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
