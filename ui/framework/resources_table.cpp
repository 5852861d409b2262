// Resource lookups in the application's table, for backends whose system
// has no resources of its own.
#include "ui/framework/resources.h"
#include "ui/framework/win_app.h"

namespace {

template <typename T>
const T* FindById(std::span<const T> items, UINT nID) {
  for (const T& item : items) {
    if (item.id.value == static_cast<int>(nID)) return &item;
  }
  return nullptr;
}

}  // namespace

const DialogTemplate* AfxFindDialogTemplate(UINT nID) {
  return FindById(AfxGetResourceTable().dialogs, nID);
}

const IconResource* AfxFindIcon(UINT nID) {
  return FindById(AfxGetResourceTable().icons, nID);
}

BOOL AfxLoadString(UINT nID, CString& rString) {
  const StringResource* found = FindById(AfxGetResourceTable().strings, nID);
  rString = found ? CString(found->text) : CString();
  return found != nullptr;
}
