// The page's watch over the radio and the adapter, its timer wiring and its key filter.
#include "HostedMainWindow.h"

namespace tarnel::test {
namespace {

using WatchTest = HostedMainWindow;

TEST_F(WatchTest, RadioOffHidesTheMainWindowOnEveryTickYetTheFieldsRefresh) {
  Associate(40, 50);
  driver.radioOff = 1;
  Tick(77);  // any timer id is the poll
  EXPECT_FALSE(Visible());
  EXPECT_EQ("HomeNet", Text(IDC_SSID));
  EXPECT_EQ(std::vector<WPARAM>{40u << 16 | 50u}, TakeLinkStatus());
  EXPECT_TRUE(Page().LastReading().radioOff && Page().LastReading().linked);

  window.ShowWindow(SW_SHOW);
  driver.SetSsid("Other");
  Tick();
  EXPECT_FALSE(Visible()) << "hidden again on the next tick";
  EXPECT_EQ("Other", Text(IDC_SSID));

  driver.radioOff = 0;
  Tick();
  EXPECT_FALSE(Visible()) << "only the icon brings the window back";
}

TEST_F(WatchTest, UnplugStopsPollingReportsNoLinkAndStopsTheLibraryOnce) {
  Associate();
  for (int i = 0; i < window.PageCount(); ++i) ::SetTimer(window.PageTable(i)->m_hWnd, i + 1, 300, nullptr);
  driver.unplugged = 1;
  Tick();
  EXPECT_EQ((Calls{"NV_GetIsRadioOff()", "NV_IsUnplug()", "NV_Stop()"}), driver.Calls()) << "and no refresh";
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_FALSE(Visible());
  EXPECT_EQ(std::vector<WPARAM>{0}, TakeLinkStatus());
  EXPECT_EQ("", Text(IDC_STATUS));
  EXPECT_FALSE(Page().LastReading().adapterPresent);
  EXPECT_FALSE(Page().LastReading().linked);
  driver.ClearCalls();
  Pump(700);
  EXPECT_EQ(Calls{}, driver.Calls()) << "no page polls any more";
}

// Wiring of the real timer: the page polls every 300 ms and the icon follows its reports.
TEST_F(WatchTest, ThePagesOwnTimerRefreshesTheFieldsAndTheIcon) {
  Associate(80, 70);
  ::SetTimer(PageWindow(), CLinkInfoPage::kTimerId, CLinkInfoPage::kTimerPeriodMs, nullptr);
  Pump(750);
  EXPECT_EQ("Associated --- 00:0A:1B:2C:3D:4E", Text(IDC_STATUS));
  EXPECT_EQ(static_cast<UINT>(IDI_TRAY_STRONG), window.TrayIcon().Image());
  EXPECT_GE(window.TrayIcon().ImageCalls(), 2) << "about one report per 300 ms";

  driver.linkState = NV_LINK_SCANNING;
  Pump(450);
  EXPECT_EQ(static_cast<UINT>(IDI_TRAY_NOLINK), window.TrayIcon().Image());
}

// The fields are not read-only: the page drops the keys before the dialog manager and the
// edits see them, so typing, Tab and Enter change nothing.
TEST_F(WatchTest, KeysForThePageAndItsFieldsAreDroppedBeforeTheDialogManager) {
  HWND ssid = ::GetDlgItem(PageWindow(), IDC_SSID);
  ::SetFocus(ssid);
  for (WPARAM key : {WPARAM{'X'}, WPARAM{VK_TAB}, WPARAM{VK_RETURN}, WPARAM{VK_BACK}}) {
    ::PostMessageA(ssid, WM_KEYDOWN, key, 1);
    ::PostMessageA(ssid, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
  }
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) window.PumpMessage(msg);
  EXPECT_EQ("", Text(IDC_SSID));
  EXPECT_EQ(ssid, ::GetFocus()) << "Tab moved nothing";

  MSG character = {};
  character.hwnd = ssid;
  character.message = WM_CHAR;
  EXPECT_FALSE(Page().PreTranslateMessage(&character)) << "only key-down and key-up are dropped";
  MSG elsewhere = {};
  elsewhere.hwnd = window.GetDlgItem(IDC_TAB_LINK_INFO);
  elsewhere.message = WM_KEYDOWN;
  EXPECT_FALSE(Page().PreTranslateMessage(&elsewhere)) << "keys for windows outside the page pass";
}

}  // namespace
}  // namespace tarnel::test
