#include "app/TrayMenu.h"

#include <string>

#include "framework/Wnd.h"
#include "resource.h"

namespace tarnel {

CTrayMenu::CTrayMenu(bool radioOff)
    : m_menu(::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDM_TRAY))),
      m_popup(m_menu.Get() ? ::GetSubMenu(m_menu.Get(), 0) : nullptr) {
  if (!m_popup) return;
  const std::string radioLabel = LoadStringResource(radioOff ? IDS_RADIO_ON : IDS_RADIO_OFF);
  ::ModifyMenuA(m_popup, ID_TRAY_RADIO, MF_BYCOMMAND | MF_STRING, ID_TRAY_RADIO, radioLabel.c_str());
  if (radioOff) {
    ::EnableMenuItem(m_popup, ID_TRAY_OPEN, MF_BYCOMMAND | MF_GRAYED);
    ::EnableMenuItem(m_popup, ID_TRAY_MONITOR, MF_BYCOMMAND | MF_GRAYED);
  }
  ::SetMenuDefaultItem(m_popup, 0, TRUE);
}

}  // namespace tarnel
