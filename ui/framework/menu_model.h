// The system menu as data, for backends that show it themselves (wx,
// headless): CMenu's HMENU points to one of these.
#pragma once

#include <vector>

#include "ui/framework/dialog_manager.h"

struct MenuModel {
  std::vector<dialog_manager::MenuItem> items;
};

inline HMENU ToHmenu(MenuModel* model) {
  return reinterpret_cast<HMENU>(model);
}
inline MenuModel* FromHmenu(HMENU menu) {
  return reinterpret_cast<MenuModel*>(menu);
}
