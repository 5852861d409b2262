// The dialog program's resources: templates 102 (main dialog), 100 (About
// box) and 103 (a picture's preview), string 101 and icon 128. The only copy: the wx and headless
// backends build their windows from it and the Windows resource script is
// generated from it (tools/make_resource_script).
#pragma once

#include "ui/framework/resources.h"

// Language of the templates and the string: Chinese Simplified, PRC.
inline constexpr uint16_t kLangChineseSimplified = 0x0804;

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();
const DialogTemplate& PreviewDialogTemplate();
