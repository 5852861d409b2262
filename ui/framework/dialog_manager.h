// What the Windows dialog manager does for a dialog built from a template,
// for the backends that build dialogs themselves (wx, headless): control
// kinds, radio groups, the Enter and Escape commands, the system menu.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/cstring.h"
#include "ui/framework/afx_types.h"
#include "ui/framework/resources.h"

namespace dialog_manager {

enum class ControlKind {
  kEdit,
  kText,
  kIcon,
  kPushButton,
  kDefPushButton,
  kCheckBox,
  kRadioButton,
  kGroupBox,
  kListBox,
};

ControlKind KindOf(const DialogItemTemplate& item);

bool IsPushButton(ControlKind kind);

// Auto radio buttons form groups between controls marked WS_GROUP: pressing
// one clears the others of its group. True for the first radio button of
// its group.
bool StartsRadioGroup(std::span<const DialogItemTemplate> items, size_t index);

// Indexes of the radio buttons in the same group as items[index].
std::vector<size_t> RadioGroupOf(std::span<const DialogItemTemplate> items, size_t index);

// The command Enter sends while the focus is not on a push button: the
// default push button's id, or IDOK when the template has none.
int DefaultCommandId(std::span<const DialogItemTemplate> items);

// The first control that takes the focus when the dialog opens: visible,
// WS_TABSTOP, in template order. Returns items.size() when there is none.
size_t FirstTabStop(std::span<const DialogItemTemplate> items);

struct MenuItem {
  UINT flags;  // MF_STRING, MF_SEPARATOR, MF_GRAYED
  UINT id;
  CString text;
};

// The system menu's own items for a window of this style: those a desktop
// without a Windows title-bar menu lets the window do itself (minimize,
// close); moving and sizing stay with the window manager.
std::vector<MenuItem> DefaultSystemMenu(uint32_t windowStyle);

}  // namespace dialog_manager
