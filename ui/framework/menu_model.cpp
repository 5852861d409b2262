#include "ui/framework/menu_model.h"

#include "ui/framework/menu.h"

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* lpszNewItem) {
  MenuModel* model = FromHmenu(m_hMenu);
  if (!model) return FALSE;
  bool separator = nFlags & MF_SEPARATOR;
  model->items.push_back({nFlags, separator ? 0u : static_cast<UINT>(nIDNewItem),
                          separator || !lpszNewItem ? CString() : CString(lpszNewItem)});
  return TRUE;
}

int CMenu::GetMenuItemCount() const {
  const MenuModel* model = FromHmenu(m_hMenu);
  return model ? static_cast<int>(model->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const {
  const MenuModel* model = FromHmenu(m_hMenu);
  if (!model || nPos < 0 || nPos >= GetMenuItemCount()) return static_cast<UINT>(-1);
  return model->items[static_cast<size_t>(nPos)].id;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  rString.Empty();
  const MenuModel* model = FromHmenu(m_hMenu);
  if (!model) return 0;
  for (size_t i = 0; i < model->items.size(); ++i) {
    const auto& item = model->items[i];
    bool match = (nFlags & MF_BYPOSITION) ? i == nIDItem : item.id == nIDItem;
    if (!match) continue;
    rString = item.text;
    return rString.GetLength();
  }
  return 0;
}
