// Private window messages of the main window.
#pragma once

#include <windows.h>

namespace tarnel {

// The shell's callback for mouse events on the notification-area icon.
constexpr UINT WM_TRAY_NOTIFY = WM_USER + 0x35;  // 0x435
// Posted by the link information page after every refresh: signal strength in the high word
// of wParam, link quality in the low word, 0 for no link.
constexpr UINT WM_LINK_STATUS = WM_USER + 0x36;  // 0x436

}  // namespace tarnel
