// What every journey starts from: the simulated adapter at its defaults (associated with its
// home network "tarnel-lab"), quick associations, the adapter registered with an empty driver
// key, and the real program started over them with its window shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "E2eControls.h"
#include "E2eSession.h"
#include "E2eShots.h"
#include "resource.h"

namespace tarnel::test {

using Calls = std::vector<std::string>;

// Bounds of the waits: a few periods of the timer that does the work.
constexpr DWORD kLinkTickWait = 2000;   // link page, 300 ms
constexpr DWORD kCheckWait = 2500;      // Apply/Cancel checks, 700 and 800 ms
constexpr DWORD kRebuildWait = 2500;    // main window's mode watch, 500 ms
constexpr DWORD kSurveyWait = 2500;     // one survey 500 ms after activation
constexpr DWORD kToolWait = 15000;      // the control tool waits up to 3 s a notice

class Journey : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.Prepare()) << "simulated adapter and its device";
    BeforeLaunch();
    ASSERT_TRUE(session.Launch()) << "the main window appears";
  }
  // Changes to the adapter that must be in place when the program starts.
  virtual void BeforeLaunch() {}

  HWND Main() const { return session.Main(); }
  bool Shown() const { return ::IsWindowVisible(Main()) != FALSE; }
  // The icon's popup menu, open on the screen.
  static bool MenuOpen() {
    HWND menu = ::FindWindowA("#32768", nullptr);
    return menu && ::IsWindowVisible(menu);
  }
  HWND Page(PageKind kind) const { return session.Page(kind); }
  sim::SimClient& Sim() { return session.Sim(); }
  const StoredProfiles& Stored() const { return session.Stored(); }
  uint32_t Count(sim::NvCall call) { return Sim().CallCount(call); }

  // Runs the control tool to its end, as a user at a prompt would; true when it succeeded.
  bool Nvksim(const std::string& arguments) {
    AppProcess tool(ProgramFolder() + "nvksim.exe", arguments);
    return tool.Start() && tool.WaitForExit(kToolWait) && tool.ExitCode() == 0;
  }

  // The setting calls the adapter logged since the last ClearLog (polling calls left out).
  Calls SettingCalls() { return Sim().ReadLog(); }

  // Clicks the page's tab and checks that the page came to the front.
  HWND ShowPage(PageKind kind) {
    ClickTab(Main(), TabControl(kind));
    HWND page = Page(kind);
    EXPECT_TRUE(page && ::IsWindowVisible(page)) << "page of tab " << TabControl(kind) << " in front";
    return page;
  }

  // Brings a settings page to the front with its stored profile loaded and nothing to apply.
  // The page loads itself on a 1 ms timer after activation; that load is run here at once, so
  // that nothing typed next can be overwritten by it.
  HWND OpenSettingsPage(PageKind kind) {
    const bool config = kind == PageKind::Configuration;
    HWND page = ShowPage(kind);
    ::SendMessageA(page, WM_TIMER, config ? kConfigReloadTimer : kEncryptionReloadTimer, 0);
    const int apply = config ? IDC_CONFIG_APPLY : IDC_ENCRYPTION_APPLY;
    EXPECT_GE(WaitFor([&] { return !IsControlEnabled(page, apply); }, kCheckWait), 0)
        << "the stored profile loaded: nothing to apply";
    return page;
  }
  static constexpr WPARAM kConfigReloadTimer = 21;
  static constexpr WPARAM kEncryptionReloadTimer = 31;

  // Waits for a control's text; the text it had last when the wait ran out.
  std::string AwaitText(HWND page, int id, const std::string& wanted, DWORD limitMs = kLinkTickWait) {
    std::string seen;
    WaitFor([&] { return (seen = ControlText(page, id)) == wanted; }, limitMs);
    return seen;
  }

  // "Associated --- 00:0A:FF:..": the status the link page shows for a network in range.
  std::string LinkStatus(const char* state, const std::string& ssid);
  // The BSSID text of a network in range, from the adapter's list.
  std::string Bssid(const std::string& ssid);

  E2eSession session;
};

}  // namespace tarnel::test
