// Everything the dialog classes use of the framework.
#pragma once

#include "ui/framework/afx_types.h"
#include "ui/framework/cmd_target.h"
#include "ui/framework/dc.h"
#include "ui/framework/dialog.h"
#include "ui/framework/folder_picker.h"
#include "ui/framework/list_box.h"
#include "ui/framework/menu.h"
#include "ui/framework/message_box.h"
#include "ui/framework/pixel_view.h"
#include "ui/framework/resources.h"
#include "ui/framework/wait_cursor.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wnd.h"
