#include "ui/framework/dialog_manager.h"

#include <string_view>

namespace dialog_manager {

ControlKind KindOf(const DialogItemTemplate& item) {
  std::string_view cls = item.windowClass;
  if (cls == "EDIT") return ControlKind::kEdit;
  if (cls == "LISTBOX") return ControlKind::kListBox;
  if (cls == "STATIC") {
    return (item.style & SS_TYPEMASK) == SS_ICON ? ControlKind::kIcon : ControlKind::kText;
  }
  switch (item.style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
      return ControlKind::kDefPushButton;
    case BS_AUTOCHECKBOX:
      return ControlKind::kCheckBox;
    case BS_AUTORADIOBUTTON:
      return ControlKind::kRadioButton;
    case BS_GROUPBOX:
      return ControlKind::kGroupBox;
    default:
      return ControlKind::kPushButton;
  }
}

bool IsPushButton(ControlKind kind) {
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefPushButton;
}

namespace {

size_t GroupStart(std::span<const DialogItemTemplate> items, size_t index) {
  while (index > 0 && !(items[index].style & WS_GROUP)) --index;
  return index;
}

size_t GroupEnd(std::span<const DialogItemTemplate> items, size_t index) {
  ++index;
  while (index < items.size() && !(items[index].style & WS_GROUP)) ++index;
  return index;
}

}  // namespace

std::vector<size_t> RadioGroupOf(std::span<const DialogItemTemplate> items, size_t index) {
  std::vector<size_t> group;
  if (KindOf(items[index]) != ControlKind::kRadioButton) return group;
  for (size_t i = GroupStart(items, index); i < GroupEnd(items, index); ++i) {
    if (KindOf(items[i]) == ControlKind::kRadioButton) group.push_back(i);
  }
  return group;
}

bool StartsRadioGroup(std::span<const DialogItemTemplate> items, size_t index) {
  std::vector<size_t> group = RadioGroupOf(items, index);
  return !group.empty() && group.front() == index;
}

int DefaultCommandId(std::span<const DialogItemTemplate> items) {
  for (const DialogItemTemplate& item : items) {
    if (KindOf(item) == ControlKind::kDefPushButton) return item.id.value;
  }
  return IDOK;
}

size_t FirstTabStop(std::span<const DialogItemTemplate> items) {
  for (size_t i = 0; i < items.size(); ++i) {
    if ((items[i].style & WS_VISIBLE) && (items[i].style & WS_TABSTOP)) return i;
  }
  return items.size();
}

std::vector<MenuItem> DefaultSystemMenu(uint32_t windowStyle) {
  std::vector<MenuItem> menu;
  if (!(windowStyle & WS_SYSMENU)) return menu;
  if (windowStyle & WS_MINIMIZEBOX) {
    menu.push_back({MF_STRING, SC_MINIMIZE, L"Mi&nimize"});
    menu.push_back({MF_SEPARATOR, 0, L""});
  }
  menu.push_back({MF_STRING, SC_CLOSE, L"&Close\tAlt+F4"});
  return menu;
}

}  // namespace dialog_manager
