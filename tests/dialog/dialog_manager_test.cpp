// What the dialog manager reads from a template: radio groups, and the
// system menu a window style brings.
#include "ui/framework/dialog_manager.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/dialog_templates.h"

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
