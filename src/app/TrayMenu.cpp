#include "app/TrayMenu.h"

#include <string>

#include "framework/ShellVersion.h"
#include "framework/Wnd.h"
#include "resource.h"
#include "settings/portable/ProfileName.h"

namespace tarnel {

namespace {

HMENU FirstPopup(HMENU menu) { return menu ? ::GetSubMenu(menu, 0) : nullptr; }

}  // namespace

CTrayMenu::CTrayMenu(bool radioOff, bool showNotices, const TrayProfiles* profiles, const std::string& current)
    : m_menu(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDM_TRAY))), m_popup(FirstPopup(m_menu.Get())) {
  if (!m_popup) return;
  const std::string radioLabel = LoadStringResource(radioOff ? IDS_RADIO_ON : IDS_RADIO_OFF);
  ::ModifyMenuA(m_popup, ID_TRAY_RADIO, MF_BYCOMMAND | MF_STRING, ID_TRAY_RADIO, radioLabel.c_str());
  if (radioOff) {
    ::EnableMenuItem(m_popup, ID_TRAY_OPEN, MF_BYCOMMAND | MF_GRAYED);
    ::EnableMenuItem(m_popup, ID_TRAY_MONITOR, MF_BYCOMMAND | MF_GRAYED);
  }
  // A shell without balloons has no place for notices.
  const bool balloons = ShellShowsBalloons();
  ::CheckMenuItem(m_popup, ID_TRAY_NOTICES, MF_BYCOMMAND | (showNotices && balloons ? MF_CHECKED : MF_UNCHECKED));
  if (!balloons) ::EnableMenuItem(m_popup, ID_TRAY_NOTICES, MF_BYCOMMAND | MF_GRAYED);
  ::SetMenuDefaultItem(m_popup, 0, TRUE);
  FillProfiles(radioOff ? nullptr : profiles, current);
}

void CTrayMenu::FillProfiles(const TrayProfiles* profiles, const std::string& current) {
  for (int i = 0; i < ::GetMenuItemCount(m_popup) && !m_profiles; ++i) {
    m_profiles = ::GetSubMenu(m_popup, i);
    m_profilesAt = i;
  }
  if (!m_profiles) return;
  // The template ends the submenu with "All profiles...": kept only when some are left out.
  if (!profiles || !profiles->more) ::DeleteMenu(m_profiles, ID_TRAY_ALL_PROFILES, MF_BYCOMMAND);
  if (!profiles || profiles->names.empty()) {
    ::EnableMenuItem(m_popup, static_cast<UINT>(m_profilesAt), MF_BYPOSITION | MF_GRAYED);
    return;
  }
  UINT position = 0;
  for (const std::string& name : profiles->names) {
    const UINT id = ID_TRAY_PROFILE_FIRST + position;
    const UINT checked = SameProfileName(name, current) ? MF_CHECKED : MF_UNCHECKED;
    // A name is shown as it is: an ampersand in it is no mnemonic.
    std::string text;
    for (char c : name) text += c == '&' ? std::string("&&") : std::string(1, c);
    ::InsertMenuA(m_profiles, position++, MF_BYPOSITION | MF_STRING | checked, id, text.c_str());
  }
  if (profiles->more) ::InsertMenuA(m_profiles, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

// The same resource with every item but "Exit" taken out, so that Exit stays the one the
// working menu has.
CTrayMenu::CTrayMenu(AdapterAway)
    : m_menu(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDM_TRAY))), m_popup(FirstPopup(m_menu.Get())) {
  if (!m_popup) return;
  for (int i = ::GetMenuItemCount(m_popup) - 1; i >= 0; --i) {
    if (::GetMenuItemID(m_popup, i) != ID_TRAY_EXIT) ::DeleteMenu(m_popup, static_cast<UINT>(i), MF_BYPOSITION);
  }
  const std::string away = LoadStringResource(IDS_ADAPTER_AWAY);
  ::InsertMenuA(m_popup, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_TRAY_AWAY, away.c_str());
}

}  // namespace tarnel
