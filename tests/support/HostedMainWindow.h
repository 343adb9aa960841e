// The real main window over the scripted driver. MainWindowHost holds it and reads its queue;
// HostedMainWindow opens it with the link page's and the window's own timers stopped, so that
// tests run the page's tick themselves (link page, tray and IP lookup tests).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDriver.h"
#include "MessagePump.h"
#include "app/Messages.h"
#include "app/TarnelDlg.h"

namespace tarnel::test {

using Calls = std::vector<std::string>;

class MainWindowHost : public testing::Test {
 protected:
  void TearDown() override { window.DestroyWindow(); }

  HWND Main() const { return window.m_hWnd; }

  // Takes the link-status reports waiting in the main window's queue.
  std::vector<WPARAM> TakeLinkStatus() {
    std::vector<WPARAM> posted;
    MSG msg;
    while (::PeekMessageA(&msg, Main(), WM_LINK_STATUS, WM_LINK_STATUS, PM_REMOVE)) posted.push_back(msg.wParam);
    return posted;
  }

  FakeDriver driver;  // outlives the window
  CTarnel_UIDlg window;
};

// Hands the main window a reading every 300 ms for spanMs (a multiple of 300), as the link
// page's tick would, on the test's own clock: minutes of readings pass in no time.
inline void FeedReadings(CTarnel_UIDlg& window, uint32_t* clock, uint32_t spanMs, LinkReading reading) {
  reading.linked = reading.linkState == NV_LINK_ASSOCIATED || reading.linkState == NV_LINK_AD_HOC;
  for (uint32_t done = 0; done < spanMs; done += 300) {
    reading.atMs = *clock += 300;
    window.OnLinkReading(reading);
  }
}

class HostedMainWindow : public MainWindowHost {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.Create(nullptr));
    ::KillTimer(PageWindow(), CLinkInfoPage::kTimerId);
    ::KillTimer(Main(), CTarnel_UIDlg::kModeTimerId);
    TakeLinkStatus();
    driver.ClearCalls();
  }
  CLinkInfoPage& Page() { return *dynamic_cast<CLinkInfoPage*>(window.PageTable(0)); }
  HWND PageWindow() { return Page().m_hWnd; }
  std::string Text(int id) { return CWnd::GetWindowText(::GetDlgItem(PageWindow(), id)); }
  int BarPos(int id) { return static_cast<int>(::SendDlgItemMessageA(PageWindow(), id, PBM_GETPOS, 0, 0)); }
  bool Visible() const { return ::IsWindowVisible(Main()) != FALSE; }

  // One poll, as the page's timer runs it.
  void Tick(UINT_PTR id = CLinkInfoPage::kTimerId) { ::SendMessageA(PageWindow(), WM_TIMER, id, 0); }

  // An infrastructure link on channel 6 with every rate flag set.
  void Associate(int32_t signal = 57, int32_t quality = 80) {
    driver.linkState = NV_LINK_ASSOCIATED;
    driver.networkType = 1;
    driver.SetSsid("HomeNet");
    driver.bssid = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
    driver.SetMacText("02:0A:FF:10:20:3C");
    driver.rates = {1, 1, 1, 1, 1};
    driver.channel = 6;
    driver.signal = signal;
    driver.quality = quality;
  }

};

}  // namespace tarnel::test
