// The real main window over the scripted driver, with the link page's and the window's own
// timers stopped so that tests run the page's tick themselves. Shared by the link page, tray
// and IP lookup tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDriver.h"
#include "app/Messages.h"
#include "app/TarnelDlg.h"

namespace tarnel::test {

using Calls = std::vector<std::string>;

class HostedMainWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.Create(nullptr));
    ::KillTimer(PageWindow(), CLinkInfoPage::kTimerId);
    ::KillTimer(Main(), CTarnel_UIDlg::kModeTimerId);
    TakeLinkStatus();
    driver.ClearCalls();
  }
  void TearDown() override { window.DestroyWindow(); }

  HWND Main() const { return window.m_hWnd; }
  CLinkInfoPage& Page() { return *dynamic_cast<CLinkInfoPage*>(window.PageTable(0)); }
  HWND PageWindow() { return Page().m_hWnd; }
  std::string Text(int id) { return CWnd::GetWindowText(::GetDlgItem(PageWindow(), id)); }
  int BarPos(int id) { return static_cast<int>(::SendDlgItemMessageA(PageWindow(), id, PBM_GETPOS, 0, 0)); }
  bool Visible() const { return ::IsWindowVisible(Main()) != FALSE; }

  // One poll, as the page's timer runs it.
  void Tick(UINT_PTR id = CLinkInfoPage::kTimerId) { ::SendMessageA(PageWindow(), WM_TIMER, id, 0); }

  // Takes the link-status reports waiting in the main window's queue.
  std::vector<WPARAM> TakeLinkStatus() {
    std::vector<WPARAM> posted;
    MSG msg;
    while (::PeekMessageA(&msg, Main(), WM_LINK_STATUS, WM_LINK_STATUS, PM_REMOVE)) posted.push_back(msg.wParam);
    return posted;
  }

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

  static void Pump(DWORD ms) {
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < ms) {
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      ::Sleep(5);
    }
  }

  FakeDriver driver;  // outlives the window
  CTarnel_UIDlg window;
};

}  // namespace tarnel::test
