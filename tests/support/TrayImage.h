// Which of the four tray images the utility's notification-area icon shows, read from the
// screen: Wine draws the icons of a display without a system tray in a small window of its own.
#pragma once

#include <windows.h>

#include <string>

namespace tarnel::test {

// The icon resource (108, 110, 112 or 114) whose picture best matches the newest tray icon on the
// screen; 0 when no tray icon is found. The tray window is moved to a free corner first.
UINT ShownTrayImage();

// The text of the notification-area balloon on the screen (the tray's own tooltip window with
// the balloon style, in the tray's process), or of a plain tooltip; empty when none shows.
std::string ShownTipText(bool balloon);

// Puts the mouse over the newest tray icon, so that its tooltip comes up; false when none.
bool PointAtTrayIcon();

}  // namespace tarnel::test
