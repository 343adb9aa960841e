// The notification-area icon's menu as it opens: the pop-up of menu resource 119, its radio
// item naming the action it will take, "open" and the link monitor greyed while the radio is off,
// "Show Notices" checked while notices are on, and the "Profiles" submenu of the profiles given,
// the current one checked, greyed and empty while they cannot be used. While the adapter is away:
// "Adapter not present", greyed, and "Exit" alone. Loaded each time it opens and released with
// this object.
#pragma once

#include <windows.h>

#include <string>

#include "app/portable/TrayRules.h"
#include "framework/Gdi.h"

namespace tarnel {

class CTrayMenu {
 public:
  struct AdapterAway {};

  // profiles null: the submenu greyed with no items (the radio off, or the system's own
  // configuration running the adapter).
  explicit CTrayMenu(bool radioOff, bool showNotices = true, const TrayProfiles* profiles = nullptr,
                     const std::string& current = "");
  explicit CTrayMenu(AdapterAway);
  CTrayMenu(const CTrayMenu&) = delete;
  CTrayMenu& operator=(const CTrayMenu&) = delete;

  // Null when the resource did not load.
  HMENU Popup() const { return m_popup; }
  // The "Profiles" submenu, null when the resource did not load.
  HMENU ProfilesMenu() const { return m_profiles; }

 private:
  void FillProfiles(const TrayProfiles* profiles, const std::string& current);

  MenuHandle m_menu;
  HMENU m_popup;              // part of m_menu
  HMENU m_profiles = nullptr;  // part of m_popup
  int m_profilesAt = -1;       // its position in m_popup
};

}  // namespace tarnel
