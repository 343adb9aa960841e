// Private window messages of the main window.
#pragma once

#include <windows.h>

#include "widgets/PageHost.h"  // WM_LINK_STATUS

namespace tarnel {

// The shell's callback for mouse events on the notification-area icon.
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 0x35;  // 0x435

}  // namespace tarnel
