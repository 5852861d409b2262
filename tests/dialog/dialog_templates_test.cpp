// Templates 100 and 102 as the resource tables hold them, and what the
// dialog manager reads from a template.
#include "ui/dialog_templates.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/framework/dialog_manager.h"
#include "ui/resource.h"

namespace {

struct Expected {
  int id;
  const char* cls;
  const wchar_t* text;
  uint32_t style;
  int x, y, cx, cy;
};

void ExpectItems(const DialogTemplate& dialog, const std::vector<Expected>& expected) {
  ASSERT_EQ(dialog.items.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1));
    const DialogItemTemplate& item = dialog.items[i];
    const Expected& want = expected[i];
    EXPECT_EQ(item.id.value, want.id);
    EXPECT_STREQ(item.windowClass, want.cls);
    EXPECT_EQ(std::wstring(item.text ? item.text : L""), std::wstring(want.text));
    EXPECT_EQ(item.style, want.style) << std::hex << item.style;
    EXPECT_EQ(item.x, want.x);
    EXPECT_EQ(item.y, want.y);
    EXPECT_EQ(item.cx, want.cx);
    EXPECT_EQ(item.cy, want.cy);
  }
}

}  // namespace

TEST(DialogTemplates, MainDialogIsTemplate102) {
  const DialogTemplate& main = MainDialogTemplate();
  EXPECT_EQ(main.id.value, 102);
  EXPECT_EQ(main.language, 0x0804);
  EXPECT_EQ(std::wstring(main.caption), L"ZT_Rastrum");
  EXPECT_EQ(main.style, 0x90CA00C8u);
  EXPECT_EQ(main.exStyle, 0x00040000u);
  EXPECT_EQ(main.cx, 459);
  EXPECT_EQ(main.cy, 354);
  EXPECT_EQ(std::wstring(main.font.face), L"MS Shell Dlg");
  EXPECT_EQ(main.font.pointSize, 9);
  EXPECT_EQ(main.font.charset, 1);
  ExpectItems(main, {
                        {1000, "EDIT", L"", 0x50810080, 24, 31, 130, 14},
                        {-1, "STATIC", L"Default search \".bmp\" in the bmp folder", 0x50020000, 26,
                         16, 150, 9},
                        {1001, "BUTTON", L"Convert to BIN", 0x50010000, 383, 14, 54, 31},
                        {1002, "LISTBOX", L"", 0x50A10101, 24, 68, 413, 273},
                        {1003, "LISTBOX", L"", 0x50A10103, 441, 68, 11, 273},
                        {-1, "STATIC", L"File Path\xFF1A", 0x50020000, 167, 16, 35, 8},
                        {1005, "EDIT", L"", 0x50810080, 166, 30, 193, 15},
                        {1006, "BUTTON", L"Browse", 0x50010000, 208, 13, 34, 13},
                        {1007, "BUTTON", L"24bit", 0x50000009, 76, 50, 31, 10},
                        {1008, "BUTTON", L"16bit", 0x50000009, 113, 50, 30, 10},
                        {1009, "BUTTON", L"8bit", 0x50000009, 149, 50, 26, 10},
                        {-1, "STATIC", L"Bin Option:", 0x50020000, 31, 51, 44, 12},
                        {1004, "BUTTON", L"not use", 0x40010003, 263, 49, 52, 14},
                        {-1, "BUTTON", L"", 0x50000007, 23, 44, 156, 19},
                    });
}

TEST(DialogTemplates, AboutBoxIsTemplate100) {
  const DialogTemplate& about = AboutDialogTemplate();
  EXPECT_EQ(about.id.value, 100);
  EXPECT_EQ(std::wstring(about.caption), L"\x5173\x4E8E Rastrum");
  EXPECT_EQ(about.style, 0x80C800C8u);
  EXPECT_EQ(about.exStyle, 0u);
  EXPECT_EQ(about.cx, 170);
  EXPECT_EQ(about.cy, 62);
  ExpectItems(about, {
                         {-1, "STATIC", L"", 0x50000003, 14, 14, 21, 20},
                         {-1, "STATIC",
                          L"ZT_Rastrum\xFF0C"
                          L"1.0",
                          0x50020080, 42, 14, 114, 8},
                         {-1, "STATIC", L"Copyright (C) 2024 ZT", 0x50020000, 42, 26, 114, 8},
                         {1, "BUTTON", L"\x786E\x5B9A", 0x50030001, 113, 41, 50, 14},
                     });
  EXPECT_EQ(about.items[0].iconId.value, 128);
}

TEST(DialogTemplates, StringAndIconResources) {
  const StringResource* about = AfxFindString(IDS_ABOUTBOX);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(std::wstring(about->text), L"\x5173\x4E8E Quarry(&A)...");
  EXPECT_EQ(AfxFindString(999), nullptr);
  const IconResource* icon = AfxFindIcon(128);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->width, 90);
  EXPECT_EQ(icon->height, 92);
  const uint32_t* pixels = icon->pixels();
  EXPECT_EQ(pixels[0] >> 24, 0u);                         // a transparent corner
  EXPECT_EQ(pixels[46 * 90 + 45] >> 24, 0xFFu);           // an opaque middle
  EXPECT_NE(pixels[20 * 90 + 20], pixels[60 * 90 + 20]);  // more than one colour
}

TEST(DialogManager, RadioGroupsRunBetweenGroupMarks) {
  const auto& items = MainDialogTemplate().items;
  std::vector<size_t> group = dialog_manager::RadioGroupOf(items, 9);  // "16bit"
  EXPECT_EQ(group, (std::vector<size_t>{8, 9, 10}));
  EXPECT_TRUE(dialog_manager::StartsRadioGroup(items, 8));
  EXPECT_FALSE(dialog_manager::StartsRadioGroup(items, 9));
  EXPECT_FALSE(dialog_manager::StartsRadioGroup(items, 0));

  // A second group opened by a WS_GROUP mark between radio buttons.
  constexpr uint32_t radio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
  const DialogItemTemplate split[] = {
      {{1, "a"}, "BUTTON", L"a", {0, nullptr}, radio | WS_GROUP, 0, 0, 1, 1},
      {{2, "b"}, "BUTTON", L"b", {0, nullptr}, radio, 0, 0, 1, 1},
      {{3, "c"}, "BUTTON", L"c", {0, nullptr}, radio | WS_GROUP, 0, 0, 1, 1},
      {{4, "d"}, "BUTTON", L"d", {0, nullptr}, radio, 0, 0, 1, 1},
  };
  EXPECT_EQ(dialog_manager::RadioGroupOf(split, 1), (std::vector<size_t>{0, 1}));
  EXPECT_EQ(dialog_manager::RadioGroupOf(split, 3), (std::vector<size_t>{2, 3}));
  EXPECT_TRUE(dialog_manager::StartsRadioGroup(split, 2));
}

TEST(DialogManager, EnterCommandAndFirstFocus) {
  EXPECT_EQ(dialog_manager::DefaultCommandId(MainDialogTemplate().items), IDOK);
  EXPECT_EQ(dialog_manager::DefaultCommandId(AboutDialogTemplate().items), 1);
  EXPECT_EQ(dialog_manager::FirstTabStop(MainDialogTemplate().items), 0u);
  EXPECT_EQ(dialog_manager::FirstTabStop(AboutDialogTemplate().items), 3u);
}

TEST(DialogManager, SystemMenuFollowsTheWindowStyle) {
  auto ids = [](uint32_t style) {
    std::vector<UINT> result;
    for (const auto& item : dialog_manager::DefaultSystemMenu(style)) result.push_back(item.id);
    return result;
  };
  EXPECT_EQ(ids(MainDialogTemplate().style), (std::vector<UINT>{SC_MINIMIZE, 0, SC_CLOSE}));
  EXPECT_EQ(ids(AboutDialogTemplate().style), (std::vector<UINT>{SC_CLOSE}));
  EXPECT_TRUE(ids(WS_POPUP | WS_CAPTION).empty());
}
