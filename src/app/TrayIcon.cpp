#include "app/TrayIcon.h"

#include <cstddef>

#include "adapter/NvLibrary.h"
#include "app/Messages.h"
#include "app/TarnelDlg.h"
#include "app/TrayMenu.h"
#include "app/portable/TrayRules.h"
#include "framework/ShellVersion.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"
#include "resource.h"
#include "settings/Profiles.h"

namespace tarnel {

namespace {

static_assert(ID_TRAY_PROFILE_LAST - ID_TRAY_PROFILE_FIRST + 1 == kTrayProfileCount, "one id a place");

// The tip field of the record's first form: the only one shells before 5.0 take.
constexpr size_t kFirstFormTipSize = NOTIFYICONDATAA_V1_SIZE - offsetof(NOTIFYICONDATAA, szTip);

UINT ImageOf(TrayStep step) {
  switch (step) {
    case TrayStep::Weak:
      return IDI_TRAY_WEAK;
    case TrayStep::Medium:
      return IDI_TRAY_MEDIUM;
    case TrayStep::Strong:
      return IDI_TRAY_STRONG;
    default:
      return IDI_TRAY_NOLINK;
  }
}

}  // namespace

NOTIFYICONDATAA MakeTrayRecord(HWND owner, UINT id, UINT flags) {
  NOTIFYICONDATAA record = {};
  record.cbSize = ShellShowsBalloons() ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = owner;
  record.uID = id;
  record.uFlags = flags;
  return record;
}

// An image of its own at the notification area's size; the shell keeps a copy of what it is given.
HICON CTrayIcon::ImageFor(UINT iconId) {
  if (!iconId) return nullptr;
  IconHandle& image = m_images[iconId];
  if (!image) {
    image.reset(static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                LR_DEFAULTCOLOR)));
  }
  return image.get();
}

BOOL CTrayIcon::Notify(DWORD action, UINT id, UINT flags, UINT iconId, const char* tip) {
  NOTIFYICONDATAA record = MakeTrayRecord(m_owner.m_hWnd, id, flags);
  record.hIcon = ImageFor(iconId);
  record.uCallbackMessage = WM_TRAY_NOTIFY;
  if (record.cbSize == NOTIFYICONDATAA_V1_SIZE)
    CopyTrayTip(LastTipLine(tip).c_str(), record.szTip, kFirstFormTipSize);
  else
    CopyTrayTip(tip, record.szTip, sizeof(record.szTip));
  return ::Shell_NotifyIconA(action, &record);
}

BOOL CTrayIcon::AddTrayIcon(UINT id, UINT iconId, const char* tip) {
  m_image = iconId;
  if (id == kIconId) m_tipWanted = m_tipShown = tip ? tip : "";
  return m_lastAnswer = Notify(NIM_ADD, id, NIF_MESSAGE | NIF_ICON | NIF_TIP, iconId, tip);
}

BOOL CTrayIcon::DeleteTrayIcon(UINT id) {
  NOTIFYICONDATAA record = MakeTrayRecord(m_owner.m_hWnd, id, 0);
  return m_lastAnswer = ::Shell_NotifyIconA(NIM_DELETE, &record);
}

BOOL CTrayIcon::SetTrayIcon(UINT id, UINT iconId) {
  m_image = iconId;
  ++m_imageCalls;
  // Picture and tip in one shell call when both change.
  const bool tip = id == kIconId && TipWaiting();
  if (!tip) return m_lastAnswer = Notify(NIM_MODIFY, id, NIF_ICON, iconId, nullptr);
  m_tipShown = m_tipWanted;
  ++m_tipCalls;
  return m_lastAnswer = Notify(NIM_MODIFY, id, NIF_ICON | NIF_TIP, iconId, m_tipShown.c_str());
}

void CTrayIcon::FlushTip() {
  if (!TipWaiting()) return;
  m_tipShown = m_tipWanted;
  ++m_tipCalls;
  m_lastAnswer = Notify(NIM_MODIFY, kIconId, NIF_TIP, 0, m_tipShown.c_str());
}

BOOL CTrayIcon::ShowBalloon(const std::string& title, const std::string& text, bool warning) {
  if (!ShellShowsBalloons()) return FALSE;  // an older shell would take the record for a bad one
  NOTIFYICONDATAA record = MakeTrayRecord(m_owner.m_hWnd, kIconId, NIF_INFO);
  CopyTrayTip(text.c_str(), record.szInfo, sizeof(record.szInfo));
  CopyTrayTip(title.c_str(), record.szInfoTitle, sizeof(record.szInfoTitle));
  record.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
  record.uTimeout = kBalloonMs;
  return m_lastAnswer = ::Shell_NotifyIconA(NIM_MODIFY, &record);
}

void CTrayIcon::OnTrayNotify(UINT id, UINT mouseMessage) {
  if (id != kIconId) return;
  // While the adapter is away (an unplug, a suspend) the icon offers only the way out.
  if (!m_owner.AdapterReady) {
    if (mouseMessage == WM_RBUTTONUP) OpenAwayMenu();
    return;
  }
  if (mouseMessage == WM_RBUTTONUP) return OpenMenu();
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    if (Nv().NV_GetIsRadioOff()) {
      Nv().NV_SetRadioOff(0);
      m_owner.OnUserChange();
    }
    m_owner.RestoreMainWindow();
  }
}

void CTrayIcon::OpenMenu() {
  const bool radioOff = Nv().NV_GetIsRadioOff() != 0;
  // While the system's own configuration runs the adapter there is only the link page.
  const bool profilesUsable = !radioOff && m_owner.PageCount() == CTarnel_UIDlg::kFullPageCount;
  TrayProfiles profiles;
  if (profilesUsable) {
    settings::ReloadCurrentProfileName();
    LoadProfileList();
    const bool many = ProfileNameList.size() > kTrayProfileCount;
    profiles = TrayProfilesOf(ProfileNameList, many ? LoadRecentProfiles() : std::vector<std::string>());
  }
  m_menuProfiles = profiles.names;
  CTrayMenu menu(radioOff, m_owner.ShowsNotices(), profilesUsable ? &profiles : nullptr, CurrentProfileName);
  // The window is tied to the radio; a plain show does not bring it to the front.
  m_owner.ShowWindow(radioOff ? SW_HIDE : SW_SHOW);
  Track(menu.Popup());
}

// Asks the library nothing: it is stopped.
void CTrayIcon::OpenAwayMenu() {
  CTrayMenu menu{CTrayMenu::AdapterAway{}};
  Track(menu.Popup());
}

void CTrayIcon::Track(HMENU popup) {
  if (!popup) return;
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  // Without this the menu does not close when the user clicks elsewhere.
  ::SetForegroundWindow(m_owner.m_hWnd);
  ::TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, m_owner.m_hWnd, nullptr);
}

const std::string* CTrayIcon::MenuProfile(UINT id) const {
  if (id < ID_TRAY_PROFILE_FIRST || id > ID_TRAY_PROFILE_LAST) return nullptr;
  const size_t place = id - ID_TRAY_PROFILE_FIRST;
  return place < m_menuProfiles.size() ? &m_menuProfiles[place] : nullptr;
}

void CTrayIcon::OnRadioCommand() {
  Nv().NV_SetRadioOff(Nv().NV_GetIsRadioOff() ? 0 : 1);
  m_owner.OnUserChange();
}

void CTrayIcon::OnLinkStatus(WPARAM status) {
  const TrayStep step = TrayStepFor(static_cast<uint32_t>(status));
  if (step == TrayStep::Unchanged) return FlushTip();
  SetTrayIcon(kIconId, ImageOf(step));  // also when the image is the one already shown
}

}  // namespace tarnel
