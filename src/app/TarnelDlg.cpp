#include "app/TarnelDlg.h"

#include <dbt.h>

#include "adapter/AdapterDiscovery.h"
#include "adapter/NvLibrary.h"
#include "app/Messages.h"
#include "framework/PlatformFamily.h"

namespace tarnel {

namespace {

// How long a device-change notice waits for the platform to settle the device, except on the
// systems whose minor version number is 0.
constexpr DWORD kDeviceSettleMs = 800;

int OsMinorVersion() { return HIBYTE(LOWORD(::GetVersion())); }

// True when a 9x notice names a device node that is not the adapter. A notice without a
// header, or about anything but a device node, counts as the adapter's; a device-node header
// too short to hold the node number cannot be the adapter's.
bool IsAboutAnotherDevNode(LPARAM lParam) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVNODE) return false;
  if (header->dbch_size < sizeof(DEV_BROADCAST_DEVNODE)) return true;
  const auto* node = reinterpret_cast<const DEV_BROADCAST_DEVNODE*>(header);
  return IsOwnDevNode(node->dbcd_devnode) == 0;
}

}  // namespace

CTarnel_UIDlg::CTarnel_UIDlg()
    : CPageHost(IDD_MAIN),
      m_icon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_MAIN))),
      m_announcer(m_trayIcon, LoadStringResource(IDS_TITLE)),
      m_tabBitmap(LoadBitmapResource(IDB_TAB)),
      m_selectedTabBitmap(LoadBitmapResource(IDB_TAB_SELECTED)) {}

CTarnel_UIDlg::~CTarnel_UIDlg() {
  // Children go while the member objects that are attached to them still exist.
  if (m_hWnd) DestroyWindow();
}

CPropertyPage* CTarnel_UIDlg::PageTable(int i) const {
  return i >= 0 && i < static_cast<int>(m_pageTable.size()) ? m_pageTable[i] : nullptr;
}

void CTarnel_UIDlg::DoDataExchange(CDataExchange* dx) {
  CPageHost::DoDataExchange(dx);
  DDX_Control(dx, IDC_TAB_SITE_SURVEY, m_siteSurveyTab);
  DDX_Control(dx, IDC_TAB_ENCRYPTION, m_encryptionTab);
  DDX_Control(dx, IDC_TAB_CONFIGURATION, m_configTab);
  DDX_Control(dx, IDC_TAB_LINK_INFO, m_linkInfoTab);
}

BOOL CTarnel_UIDlg::OnInitDialog() {
  CPageHost::OnInitDialog();
  m_xpConfigKnown = false;
  CreatePages();
  m_trayIcon.AddTrayIcon(CTrayIcon::kIconId, IDI_TRAY_NOLINK, LoadStringResource(IDS_TITLE).c_str());
  m_announcer.Start();
  AdapterReady = TRUE;
  m_libraryStopped = false;
  m_autoConnection.ReloadProfiles();
  SetTimer(kModeTimerId, kModeTimerPeriodMs);
  FocusFirstControl(m_hWnd);
  return FALSE;
}

// The dialog manager would select the whole text of the first control (at start-up the version
// panel's read-only driver text, scrolled to its end); an edit shows its beginning instead.
void CTarnel_UIDlg::FocusFirstControl(HWND parent) {
  HWND first = ::GetNextDlgTabItem(parent, nullptr, FALSE);
  if (!first || !::IsChild(parent, first)) return;
  ::SetFocus(first);
  char className[16] = {};
  ::GetClassNameA(first, className, sizeof(className));
  if (::lstrcmpiA(className, "Edit") == 0) ::SendMessageA(first, EM_SETSEL, 0, 0);
}

void CTarnel_UIDlg::StepPage(int step) {
  // With one page, while the system's own wireless configuration runs the adapter, there is
  // nowhere to go.
  if (m_pageCount < 2 || m_currentPage < 0) return;
  const int k = (m_currentPage + step + m_pageCount) % m_pageCount;
  SelectPage(k);
  FocusFirstControl(m_pageTable[k]->m_hWnd);
}

BOOL CTarnel_UIDlg::PreTranslateShortcut(MSG* msg) {
  if (msg->message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0) return FALSE;
  if (m_linkMonitor.IsOpen() && (SameWindow(msg->hwnd, m_linkMonitor.m_hWnd) || ::IsChild(m_linkMonitor.m_hWnd, msg->hwnd)))
    return FALSE;  // the monitor has no pages
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  switch (msg->wParam) {
    case VK_TAB:
      StepPage(shift ? -1 : 1);
      return TRUE;
    case VK_NEXT:
      StepPage(1);
      return TRUE;
    case VK_PRIOR:
      StepPage(-1);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CTarnel_UIDlg::PreTranslateMessage(MSG* msg) {
  // Reached only by keys that the pages' own filters let through.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && OnEnterKey(*msg)) return TRUE;
  return CPageHost::PreTranslateMessage(msg);
}

bool CTarnel_UIDlg::OnEnterKey(const MSG& msg) {
  // A dropped-down list closes on Enter, as everywhere.
  MSG copy = msg;
  const LRESULT wants = ::SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  // Enter on a focused push button presses that button.
  if (wants & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
    if (::IsWindowEnabled(msg.hwnd))
      ::SendMessageA(::GetParent(msg.hwnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(msg.hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(msg.hwnd));
    return true;
  }
  OnOK();
  return true;
}

void CTarnel_UIDlg::OnOK() {
  if (CPropertyPage* page = PageTable(m_currentPage)) page->OnOK();
}

void CTarnel_UIDlg::OnDestroy() {
  m_linkMonitor.DestroyWindow();
  m_announcer.OnExit();
  m_trayIcon.DeleteTrayIcon(CTrayIcon::kIconId);
  KillTimer(kModeTimerId);
  // The pages' windows go with this one.
  m_pageTable.clear();
  m_tabTable.clear();
  m_pageCount = 0;
  m_currentPage = -1;
  CPageHost::OnDestroy();
}

POINT CTarnel_UIDlg::PanelAnchor() const {
  POINT anchor = {0, 0};
  RECT area;
  if (::GetWindowRect(GetDlgItem(IDC_PANEL_ANCHOR), &area)) {
    anchor = {area.left, area.top};
    ::ScreenToClient(m_hWnd, &anchor);
  }
  return anchor;
}

void CTarnel_UIDlg::PlacePage(CPropertyPage& page, POINT at, bool show) {
  page.Create(this);
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(page.m_hWnd, &client);
  ::MoveWindow(page.m_hWnd, at.x, at.y, client.right, client.bottom, TRUE);
  if (show) page.ShowWindow(SW_SHOW);
}

void CTarnel_UIDlg::SetTabBitmap(CTabLabel* tab, HBITMAP bitmap, bool invalidate) {
  tab->SetBackgroundBitmap(bitmap);
  if (invalidate && tab->m_hWnd) tab->Invalidate(TRUE);
}

void CTarnel_UIDlg::CreatePages() {
  const POINT anchor = PanelAnchor();
  m_versionPage.Create(this);
  RECT panel = {0, 0, 0, 0};
  ::GetWindowRect(m_versionPage.m_hWnd, &panel);
  const int panelWidth = panel.right - panel.left;
  ::MoveWindow(m_versionPage.m_hWnd, anchor.x, anchor.y, panelWidth, panel.bottom - panel.top, TRUE);
  m_versionPage.ShowWindow(SW_SHOW);

  const POINT pageAt = {anchor.x + panelWidth, anchor.y};
  PlacePage(m_linkInfoPage, pageAt, true);
  m_pageTable.push_back(&m_linkInfoPage);
  SetTabBitmap(&m_linkInfoTab, m_selectedTabBitmap.Bitmap(), false);
  m_tabTable.push_back(&m_linkInfoTab);
  ++m_pageCount;
  m_currentPage = 0;

  CTabLabel* const otherTabs[] = {&m_configTab, &m_encryptionTab, &m_siteSurveyTab};
  if (Nv().NV_IsXPConfig()) {
    for (CTabLabel* tab : otherTabs) tab->ShowWindow(SW_HIDE);
    return;
  }
  CPropertyPage* const otherPages[] = {&m_configPage, &m_encryptionPage, &m_siteSurveyPage};
  for (int i = 0; i < 3; ++i) {
    PlacePage(*otherPages[i], pageAt, false);
    m_pageTable.push_back(otherPages[i]);
    SetTabBitmap(otherTabs[i], m_tabBitmap.Bitmap(), false);
    m_tabTable.push_back(otherTabs[i]);
    ++m_pageCount;
  }
}

void CTarnel_UIDlg::DestroyPages() {
  for (CPropertyPage* page : m_pageTable) page->DestroyWindow();
  m_pageTable.clear();
  m_tabTable.clear();
  m_versionPage.DestroyWindow();
  m_pageCount = 0;
  m_currentPage = -1;
}

void CTarnel_UIDlg::SelectPage(int k) {
  if (k < 0 || k >= m_pageCount) return;
  const int current = m_currentPage;
  const bool haveCurrent = current >= 0 && current < m_pageCount;
  if (haveCurrent) SetTabBitmap(m_tabTable[current], m_tabBitmap.Bitmap(), true);
  SetTabBitmap(m_tabTable[k], m_selectedTabBitmap.Bitmap(), true);
  if (k == current) return;
  if (haveCurrent) m_pageTable[current]->ShowWindow(SW_HIDE);
  m_pageTable[k]->ShowWindow(SW_SHOW);
  m_pageTable[k]->OnSetActive();
  m_currentPage = k;
}

void CTarnel_UIDlg::StopPageTimers() {
  for (int i = 0; i < m_pageCount; ++i) {
    // A timer on no window would be a thread timer of the same id: never touch one.
    if (m_pageTable[i]->m_hWnd) m_pageTable[i]->KillTimer(i + 1);
  }
}

void CTarnel_UIDlg::OnTimer(UINT_PTR id) {
  if (id == kModeTimerId) m_announcer.OnTick(::GetTickCount());
  if (!AdapterReady) return CPageHost::OnTimer(id);
  if (!m_xpConfigKnown) {
    m_lastXPConfig = Nv().NV_IsXPConfig() != 0;
    m_xpConfigKnown = true;
  }
  const bool xpConfig = Nv().NV_IsXPConfig() != 0;
  if (xpConfig != m_lastXPConfig) RebuildPages(xpConfig);
  m_lastXPConfig = xpConfig;
  CPageHost::OnTimer(id);
}

void CTarnel_UIDlg::RebuildPages(bool xpConfig) {
  StopPageTimers();
  DestroyPages();
  CreatePages();
  CTabLabel* const otherTabs[] = {&m_siteSurveyTab, &m_encryptionTab, &m_configTab};
  if (xpConfig) {
    for (CTabLabel* tab : otherTabs) tab->ShowWindow(SW_HIDE);
    m_linkInfoTab.ShowWindow(SW_SHOW);
    m_linkInfoTab.UpdateWindow();
    m_linkInfoPage.Invalidate(TRUE);
    m_linkInfoPage.UpdateWindow();
    m_versionPage.Invalidate(TRUE);
    m_versionPage.UpdateWindow();
  } else {
    for (CTabLabel* tab : otherTabs) tab->ShowWindow(SW_SHOW);
    for (CTabLabel* tab : otherTabs) {
      tab->Invalidate(TRUE);
      tab->UpdateWindow();
    }
  }
  SelectPage(m_currentPage);  // page 0: marks its tab selected
  // The focus went with the old pages: a keyboard user goes on from the page in front.
  if (!::GetFocus() && ::GetActiveWindow() == m_hWnd) FocusFirstControl(m_pageTable[m_currentPage]->m_hWnd);
}

void CTarnel_UIDlg::RestoreMainWindow() {
  ShowWindow(SW_SHOW);
  ShowWindow(SW_RESTORE);
  ShowWindow(SW_SHOWNORMAL);
  ::SetForegroundWindow(m_hWnd);
}

void CTarnel_UIDlg::ResumeAdapter() {
  AdapterReady = TRUE;
  m_libraryStopped = false;
  m_autoConnection.OnAdapterBack();
  CPropertyPage* linkInfo = PageTable(0);
  if (linkInfo && linkInfo->m_hWnd) linkInfo->SetTimer(CLinkInfoPage::kTimerId, CLinkInfoPage::kTimerPeriodMs);
  RestoreMainWindow();
  if (CPropertyPage* page = PageTable(m_currentPage)) page->OnSetActive();
}

void CTarnel_UIDlg::OnAdapterUnplugged() {
  AdapterReady = FALSE;
  StopPageTimers();
  ShowWindow(SW_HIDE);
  m_announcer.OnAdapterGone(::GetTickCount());
  PostMessage(WM_LINK_STATUS, 0, 0);  // the tray icon falls back to "no link"
  Nv().NV_Stop();
  m_libraryStopped = true;
}

void CTarnel_UIDlg::ReinitializeAdapter() {
  if (Nv().NV_Initialize(0))
    ResumeAdapter();
  else
    AdapterReady = FALSE;
}

LRESULT CTarnel_UIDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_POWERBROADCAST:
      OnPowerBroadcast(wParam);
      break;
    case WM_DEVICECHANGE:
      if (IsWin9xFamily()) {
        if (OnDeviceChange9x(wParam, lParam)) return 1;
      } else {
        OnDeviceChangeNt();
      }
      break;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(m_icon);
    case WM_TRAY_NOTIFY:
      OnTrayNotify(wParam, lParam);
      return 0;
    case WM_LINK_STATUS:
      OnLinkStatus(wParam, lParam);
      return 0;
    default:
      break;
  }
  return CPageHost::WindowProc(msg, wParam, lParam);
}

void CTarnel_UIDlg::OnPowerBroadcast(WPARAM event) {
  switch (event) {
    case PBT_APMSUSPEND:
      StopPageTimers();
      ShowWindow(SW_HIDE);
      Nv().NV_Stop();
      AdapterReady = FALSE;
      m_libraryStopped = true;
      m_announcer.OnSuspend(::GetTickCount());
      break;
    case PBT_APMRESUMESUSPEND:
      if (Nv().NV_Initialize(0)) ResumeAdapter();
      break;
    default:
      break;
  }
}

void CTarnel_UIDlg::OnDeviceChangeNt() {
  if (OsMinorVersion() != 0) ::Sleep(kDeviceSettleMs);
  char driverKey[kDriverKeySize] = {};
  if (!FindAdapter(LoadStringResource(IDS_ADAPTER_DESCRIPTION).c_str(), driverKey, sizeof(driverKey))) return;
  if (!Nv().NV_Initialize(0)) {
    AdapterReady = FALSE;
    return;
  }
  m_libraryStopped = false;
  if (Nv().NV_IsUnplug()) {
    OnAdapterUnplugged();
    return;
  }
  if (!AdapterReady) ReinitializeAdapter();
}

bool CTarnel_UIDlg::OnDeviceChange9x(WPARAM event, LPARAM lParam) {
  if (event == DBT_DEVICEARRIVAL) {
    if (IsAboutAnotherDevNode(lParam)) return true;
    if (!AdapterReady) ReinitializeAdapter();
    return false;
  }
  if (event == DBT_DEVICEQUERYREMOVE && AdapterReady) {
    if (IsAboutAnotherDevNode(lParam)) return true;
    OnAdapterUnplugged();
  }
  return false;
}

BOOL CTarnel_UIDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) {  // menu commands
    switch (LOWORD(wParam)) {
      case ID_TRAY_OPEN:
        RestoreMainWindow();
        return TRUE;
      case ID_TRAY_EXIT:
        PostMessage(WM_CLOSE);
        return TRUE;
      case ID_TRAY_RADIO:
        m_trayIcon.OnRadioCommand();
        return TRUE;
      case ID_TRAY_MONITOR:
        OpenLinkMonitor();
        return TRUE;
      case ID_TRAY_NOTICES:
        m_announcer.SetShowNotices(!m_announcer.ShowsNotices());
        return TRUE;
      default:
        if (OnProfileCommand(LOWORD(wParam))) return TRUE;
    }
  }
  return CPageHost::OnCommand(wParam, lParam);
}

void CTarnel_UIDlg::OnTrayNotify(WPARAM id, LPARAM mouseMessage) {
  m_trayIcon.OnTrayNotify(static_cast<UINT>(id), static_cast<UINT>(mouseMessage));
}

void CTarnel_UIDlg::OnLinkStatus(WPARAM status, LPARAM) { m_trayIcon.OnLinkStatus(status); }

void CTarnel_UIDlg::OnLinkReading(const LinkReading& reading) {
  m_linkHistory.Add(reading);
  m_linkMonitor.OnNewReading(reading);
  // The link page stops the library before it reports the adapter gone.
  if (!reading.adapterPresent) m_libraryStopped = true;
  m_announcer.OnReading(reading);
  m_autoConnection.OnReading(reading);
}

void CTarnel_UIDlg::OnUserChange() {
  m_announcer.OnUserChange(::GetTickCount());
  m_autoConnection.OnUserChange();
}

void CTarnel_UIDlg::OnProfileSwitched(const std::string& name, const std::string& ssid, bool automatic) {
  m_announcer.OnProfileSwitched(name, ssid, automatic, ::GetTickCount());
}

void CTarnel_UIDlg::SwitchProfile(const std::string& name, bool automatic) {
  if (m_pageCount == kFullPageCount) m_configPage.SwitchToProfile(name, automatic);
}

bool CTarnel_UIDlg::PagesHoldChanges() {
  if (m_pageCount != kFullPageCount) return false;
  return m_configPage.HoldsChanges() || m_encryptionPage.HoldsChanges();
}

bool CTarnel_UIDlg::OnProfileCommand(UINT id) {
  if (id == ID_TRAY_ALL_PROFILES) {
    RestoreMainWindow();
    SelectPage(kConfigPageIndex);
    if (CPropertyPage* page = PageTable(kConfigPageIndex)) ::SetFocus(page->GetDlgItem(IDC_PROFILE_LIST));
    return true;
  }
  const std::string* name = m_trayIcon.MenuProfile(id);
  if (!name) return false;
  const std::string chosen = *name;
  SwitchProfile(chosen, false);  // the user's own act, as the list's
  return true;
}

void CTarnel_UIDlg::OnSurveyResult(const SiteSurveyEntry* records, int count) {
  m_latestSurvey = SeenNetworksOf(records, count);
  m_linkMonitor.OnNewSurvey();
}

void CTarnel_UIDlg::OpenLinkMonitor() {
  // While the window is hidden for the radio, an unplug or a suspend, so is the monitor.
  if (!AdapterReady || !IsWindowVisible()) return;
  m_linkMonitor.Open();
}

// Hidden by a call (not by a minimise or an owner closing): the monitor goes and comes with it.
void CTarnel_UIDlg::OnShowWindow(BOOL show, UINT status) {
  if (status == 0) m_linkMonitor.OnOwnerShown(show != FALSE);
  CPageHost::OnShowWindow(show, status);
}

BOOL CTarnel_UIDlg::OnEraseBkgnd(HDC dc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const LONG anchorTop = PanelAnchor().y;
  const RECT header = {client.left, client.top, client.right, client.top + anchorTop};
  const RECT body = {client.left, anchorTop, client.right, client.bottom};
  {
    GdiObject bitmap = LoadBitmapResource(IDB_HEADER);
    StretchBitmap(dc, bitmap.Bitmap(), header);
  }
  GdiObject bitmap = LoadBitmapResource(IDB_BACKDROP);
  StretchBitmap(dc, bitmap.Bitmap(), body);
  return TRUE;
}

void CTarnel_UIDlg::OnPaint() {
  if (!::IsIconic(m_hWnd)) return CPageHost::OnPaint();
  PaintDC dc(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc.Get(), x, y, m_icon);
}

}  // namespace tarnel
