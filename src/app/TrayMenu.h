// The notification-area icon's menu as it opens: the pop-up of menu resource 119, its radio
// item naming the action it will take, "open" and the link monitor greyed while the radio is off,
// "Show Notices" checked while notices are on. While the adapter is away: "Adapter not present",
// greyed, and "Exit" alone. Loaded each time it opens and released with this object.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"

namespace tarnel {

class CTrayMenu {
 public:
  struct AdapterAway {};

  explicit CTrayMenu(bool radioOff, bool showNotices = true);
  explicit CTrayMenu(AdapterAway);
  CTrayMenu(const CTrayMenu&) = delete;
  CTrayMenu& operator=(const CTrayMenu&) = delete;

  // Null when the resource did not load.
  HMENU Popup() const { return m_popup; }

 private:
  MenuHandle m_menu;
  HMENU m_popup;  // part of m_menu
};

}  // namespace tarnel
