// Everything a page of the program needs from the window core, in one
// include: windows and message maps, dialogs and templates, the controls,
// pop-up menus, the device context, timers and the UI thread. Pages include
// this; only the backends and the core itself include the parts one by one.
// The header costs little: the core is a few thousand lines of declarations.
#pragma once

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/controls/popup_menu.h"
#include "platform/controls/progress_bar.h"
#include "platform/controls/static_control.h"
#include "platform/cp1252.h"
#include "platform/device_context.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/message_map.h"
#include "platform/ui_backend.h"
#include "platform/ui_thread.h"
#include "platform/ui_types.h"
#include "platform/window.h"
