// Splitting the extension text of the dialog (and of `rastrum convert --ext`)
// into the words the walk matches file extensions against.
#pragma once

#include <array>
#include <cstdint>

#include "engine/extension_limit.h"
#include "platform/cstring.h"

// Words are runs of characters other than the blank (U+0020); no other
// character separates them. They are taken from the right: the rightmost word
// goes into entry 0. At most 20 are stored, the rightmost ones. Entries at
// `count` and beyond are left as they were. `count` is not reset here: the
// caller sets it to 0 first.
void ParseExtensionList(const CString& text, std::array<CString, kMaxExtensions>& words,
                        uint8_t& count);
