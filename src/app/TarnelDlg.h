// The main window: header band with the tabs, the version panel and the page in front. It owns
// the pages, rebuilds them when the platform's own wireless configuration takes the adapter
// over or gives it back, and stops and restarts the driver-control library on power and
// device-change notices.
#pragma once

#include <vector>

#include "app/LinkAnnouncer.h"
#include "app/AutoConnection.h"
#include "app/LinkMonitor.h"
#include "app/TrayIcon.h"
#include "framework/Gdi.h"
#include "pages/ConfigPage.h"
#include "pages/EncryptionPage.h"
#include "pages/LinkInfoPage.h"
#include "pages/SiteSurveyPage.h"
#include "pages/VersionPage.h"
#include "resource.h"
#include "widgets/BitmapLabel.h"
#include "widgets/PageHost.h"

namespace tarnel {

class CTarnel_UIDlg : public CPageHost {
 public:
  // The window's own timer: watches the wireless-configuration mode.
  static constexpr UINT_PTR kModeTimerId = 1;
  static constexpr UINT kModeTimerPeriodMs = 500;
  // Pages while the utility runs the adapter; only the link page while the system does.
  static constexpr int kFullPageCount = 4;
  static constexpr int kConfigPageIndex = 1;

  CTarnel_UIDlg();
  ~CTarnel_UIDlg() override;
  const char* GetRuntimeClassName() const override { return "CTarnel_UIDlg"; }

  int PageCount() const override { return m_pageCount; }
  int CurrentPage() const { return m_currentPage; }
  CPropertyPage* PageTable(int i) const override;
  CVersionPage& VersionPanel() { return m_versionPage; }

  void SelectPage(int k) override;
  void StopPageTimers() override;
  void CreatePages();
  void DestroyPages();
  // Shows, restores and brings the window to the front.
  void RestoreMainWindow();
  // The library is usable again: page timers and the window come back.
  void ResumeAdapter();
  // The adapter is gone: stop polling, hide, report no link, stop the library.
  void OnAdapterUnplugged();
  CTrayIcon& TrayIcon() { return m_trayIcon; }

  BOOL OnInitDialog() override;
  // Enter never ends the program: the page in front carries out its default command.
  void OnOK() override;
  // Ctrl+Tab, Ctrl+PageDown: next page; Ctrl+Shift+Tab, Ctrl+PageUp: previous page.
  BOOL PreTranslateShortcut(MSG* msg) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void DoDataExchange(CDataExchange* dx) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnTimer(UINT_PTR id) override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnPaint() override;
  void OnDestroy() override;
  void OnTrayNotify(WPARAM id, LPARAM mouseMessage);
  void OnLinkStatus(WPARAM status, LPARAM);
  // Each tick's reading, handed on to what watches the link over time.
  void OnLinkReading(const LinkReading& reading) override;
  void OnSurveyResult(const SiteSurveyEntry* records, int count) override;
  void OnUserChange() override;
  void OnProfileSwitched(const std::string& name, const std::string& ssid, bool automatic) override;
  // Makes name current and applies it as a choice in the Configuration page's list does.
  void SwitchProfile(const std::string& name, bool automatic);
  // True while the Configuration or Encryption page shows changes not yet applied.
  bool PagesHoldChanges();
  CAutoConnection& AutoConnection() { return m_autoConnection; }
  void OpenLinkMonitor() override;
  // Whether the icon shows notices of the link ("Show Notices").
  bool ShowsNotices() const { return m_announcer.ShowsNotices(); }
  // The library was stopped (unplug, suspend) and not initialised since: exit leaves it alone.
  bool LibraryStopped() const { return m_libraryStopped; }
  void OnShowWindow(BOOL show, UINT status) override;
  // The link's readings since start-up and the networks of the latest survey.
  const LinkHistory& History() const { return m_linkHistory; }
  const std::vector<SeenNetwork>& LatestSurvey() const { return m_latestSurvey; }
  CLinkMonitor& LinkMonitor() { return m_linkMonitor; }

 private:
  // Focus on the first control of parent that takes keyboard focus, if it has one.
  void FocusFirstControl(HWND parent);
  // Shows the page step places away from the one in front, wrapping around, as a click on its
  // tab would, and gives it the focus.
  void StepPage(int step);
  // Enter that no page filter took and no control wants for itself; true when handled here.
  bool OnEnterKey(const MSG& msg);
  void OnPowerBroadcast(WPARAM event);
  void OnDeviceChangeNt();
  // Returns true when the notice is about another device node and must go no further.
  bool OnDeviceChange9x(WPARAM event, LPARAM lParam);
  // Initialises the library once more: resumes on success, clears AdapterReady on failure.
  void ReinitializeAdapter();
  void RebuildPages(bool xpConfig);
  void SetTabBitmap(CTabLabel* tab, HBITMAP bitmap, bool invalidate);
  void PlacePage(CPropertyPage& page, POINT at, bool show);
  POINT PanelAnchor() const;
  // The icon's menu: a profile chosen, or "All profiles...".
  bool OnProfileCommand(UINT id);

  // Members in this order: the pages are constructed before and destroyed after the tabs.
  CSiteSurveyPage m_siteSurveyPage;
  CLinkInfoPage m_linkInfoPage;
  CEncryptionPage m_encryptionPage;
  CConfigPage m_configPage;
  CVersionPage m_versionPage;
  int m_pageCount = 0;
  int m_currentPage = -1;
  std::vector<CPropertyPage*> m_pageTable;
  std::vector<CTabLabel*> m_tabTable;
  CTabLabel m_siteSurveyTab;
  CTabLabel m_encryptionTab;
  CTabLabel m_configTab;
  CTabLabel m_linkInfoTab;
  HICON m_icon;  // a shared resource icon: never destroyed
  CTrayIcon m_trayIcon{*this};
  CLinkAnnouncer m_announcer;
  bool m_libraryStopped = false;

  // Tab faces, lent to the tab labels for the window object's life.
  GdiObject m_tabBitmap;
  GdiObject m_selectedTabBitmap;
  // The mode seen at the previous tick; unknown until the first tick.
  bool m_xpConfigKnown = false;
  bool m_lastXPConfig = false;

  LinkHistory m_linkHistory;
  std::vector<SeenNetwork> m_latestSurvey;
  CLinkMonitor m_linkMonitor{*this, m_linkHistory, m_latestSurvey};
  CAutoConnection m_autoConnection{*this};
};

}  // namespace tarnel
