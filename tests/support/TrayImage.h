// Which of the four tray images the utility's notification-area icon shows, read from the
// screen: Wine draws the icons of a display without a system tray in a small window of its own.
#pragma once

#include <windows.h>

namespace tarnel::test {

// The icon resource (108, 110, 112 or 114) whose picture best matches the newest tray icon on the
// screen; 0 when no tray icon is found. The tray window is moved to a free corner first.
UINT ShownTrayImage();

}  // namespace tarnel::test
