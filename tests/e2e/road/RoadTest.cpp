// The road of one change, with the real program over the simulated adapter: a channel picked
// on the Configuration page and applied reaches the registry, the adapter (in order), the link
// page and the tray icon, and the page settles back to "nothing to apply".
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "AdapterDevice.h"
#include "AppProcess.h"
#include "E2eControls.h"
#include "RegistryCleanup.h"
#include "SimClient.h"
#include "TrayImage.h"
#include "framework/RegKey.h"
#include "resource.h"

namespace tarnel::test {
namespace {

using sim::SimClient;
using Calls = std::vector<std::string>;

constexpr char kDriverKey[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0931";
const std::string kDriverPath = std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\") + kDriverKey;

class Road : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.Open());
    sim.ResetToDefaults();
    sim.SetAssociationDelay(0);
    sim::RemoveAdapterDevices(sim::kAdapterDescription);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kDriverPath);
    ASSERT_TRUE(sim::RegisterAdapterDevice(sim::kAdapterDescription, kDriverKey, sim::kAdapterHardwareId));
  }
  void TearDown() override {
    app.Kill();
    sim::RemoveAdapterDevices(sim::kAdapterDescription);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kDriverPath);
  }

  // A value of the "Default" profile, its bytes as stored.
  std::string Stored(const char* name) {
    RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, (kDriverPath + "\\Default").c_str(), KEY_READ);
    char data[64] = {0};
    DWORD size = sizeof(data);
    if (!key.IsOpen() || ::RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size))
      return "<missing>";
    return std::string(data, size);
  }
  DWORD StoredDword(const char* name) {
    const std::string data = Stored(name);
    DWORD value = 0xDEADBEEF;
    if (data.size() == sizeof(value)) memcpy(&value, data.data(), sizeof(value));
    return value;
  }

  SimClient sim;
  AppProcess app;
};

TEST_F(Road, ChannelPickedAndAppliedReachesRegistryAdapterLinkPageAndTray) {
  ASSERT_TRUE(app.Start());
  HWND main = app.WaitForMainWindow();
  ASSERT_TRUE(main);
  HWND config = FindPage(main, PageKind::Configuration);
  HWND link = FindPage(main, PageKind::LinkInfo);
  ASSERT_TRUE(config && link);
  HWND apply = ::GetDlgItem(config, IDC_CONFIG_APPLY);
  HWND cancel = ::GetDlgItem(config, IDC_CONFIG_CANCEL);
  HWND channels = ::GetDlgItem(config, IDC_CHANNEL_LIST);
  EXPECT_GE(WaitFor([&] { return ControlText(link, IDC_CHANNEL) == "6"; }, 2000), 0) << "on the lab network";
  EXPECT_GE(WaitFor([&] { return ShownTrayImage() == IDI_TRAY_STRONG; }, 2000), 0);

  HWND tab = ::GetDlgItem(main, IDC_TAB_CONFIGURATION);
  ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_TAB_CONFIGURATION, STN_CLICKED), reinterpret_cast<LPARAM>(tab));
  ASSERT_TRUE(::IsWindowVisible(config));
  ASSERT_GE(WaitFor([&] { return !::IsWindowEnabled(apply); }, 3000), 0) << "a fresh profile: nothing to apply";

  // The network in range on channel 11, and channel 11 picked.
  ::SendMessageA(::GetDlgItem(config, IDC_SSID), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Cafe_Guest"));
  ::SendMessageA(channels, CB_SETCURSEL, 10, 0);
  ::SendMessageA(config, WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(channels));
  ASSERT_GE(WaitFor([&] { return ::IsWindowEnabled(apply) && ::IsWindowEnabled(cancel); }, 1500), 0);
  sim.ClearLog();

  ::SendMessageA(apply, BM_CLICK, 0, 0);
  const DWORD applied = ::GetTickCount();
  // Each effect's time after the click returned, -1 when it did not come within 1.5 s.
  long settled = -1, linked = -1, trayed = -1;
  WaitFor(
      [&] {
        const long now = static_cast<long>(::GetTickCount() - applied);
        if (settled < 0 && !::IsWindowEnabled(apply) && !::IsWindowEnabled(cancel)) settled = now;
        if (linked < 0 && ControlText(link, IDC_CHANNEL) == "11") linked = now;
        if (trayed < 0 && settled >= 0 && linked >= 0 && ShownTrayImage() == IDI_TRAY_WEAK) trayed = now;
        return settled >= 0 && linked >= 0 && trayed >= 0;
      },
      1500);
  std::printf("after the click: Apply and Cancel off at %ld ms, link page at %ld ms, tray at %ld ms\n", settled,
              linked, trayed);

  EXPECT_EQ(std::string("Cafe_Guest", 11), Stored("SSID")) << "with its terminator";
  EXPECT_EQ(1u, StoredDword("NETMODE"));
  EXPECT_EQ(11u, StoredDword("CHANNEL"));
  EXPECT_EQ(0u, StoredDword("TXRATE"));
  EXPECT_EQ(0u, StoredDword("POWERMODE"));
  const Calls log = sim.ReadLog();
  const Calls road = {"NV_SetNetworkType(1)", "NV_SetSSID(Cafe_Guest)", "NV_SetPowerSaveMode(0)", "NV_SetChannel(11)",
                      "NV_SiteSurvey()", "NV_SetRates(1,0,0,0,0)", "NV_Rescan()"};
  ASSERT_GE(log.size(), road.size());
  EXPECT_EQ(road, Calls(log.begin(), log.begin() + road.size()));

  EXPECT_GE(linked, 0) << "the link page shows channel 11 within a tick or two";
  EXPECT_LE(linked, 1000);
  EXPECT_GE(trayed, 0) << "the tray shows the weak step of the new network";
  EXPECT_GE(settled, 0) << "Apply and Cancel are disabled again";
  EXPECT_LE(settled, 1000) << "within one change check";

  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.WaitForExit());
}

}  // namespace
}  // namespace tarnel::test
