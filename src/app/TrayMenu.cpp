#include "app/TrayMenu.h"

#include <string>

#include "framework/Wnd.h"
#include "resource.h"

namespace tarnel {

namespace {

HMENU FirstPopup(HMENU menu) { return menu ? ::GetSubMenu(menu, 0) : nullptr; }

}  // namespace

CTrayMenu::CTrayMenu(bool radioOff, bool showNotices)
    : m_menu(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDM_TRAY))), m_popup(FirstPopup(m_menu.Get())) {
  if (!m_popup) return;
  const std::string radioLabel = LoadStringResource(radioOff ? IDS_RADIO_ON : IDS_RADIO_OFF);
  ::ModifyMenuA(m_popup, ID_TRAY_RADIO, MF_BYCOMMAND | MF_STRING, ID_TRAY_RADIO, radioLabel.c_str());
  if (radioOff) {
    ::EnableMenuItem(m_popup, ID_TRAY_OPEN, MF_BYCOMMAND | MF_GRAYED);
    ::EnableMenuItem(m_popup, ID_TRAY_MONITOR, MF_BYCOMMAND | MF_GRAYED);
  }
  ::CheckMenuItem(m_popup, ID_TRAY_NOTICES, MF_BYCOMMAND | (showNotices ? MF_CHECKED : MF_UNCHECKED));
  ::SetMenuDefaultItem(m_popup, 0, TRUE);
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
