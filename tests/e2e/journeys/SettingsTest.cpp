// Setting up the network on the Configuration page: Apply stores the profile, then sends the
// settings in their order and the link follows; Cancel takes back what was not applied.
#include "Journey.h"
#include "SimDefaults.h"

namespace tarnel::test {
namespace {

constexpr int kInfrastructure = 1;
constexpr int kRate2Mbps = 2;
constexpr int kPowerNormal = 2;

class Settings : public Journey {
 protected:
  HWND OpenConfiguration() { return OpenSettingsPage(PageKind::Configuration); }
  bool ApplyAndCancelEnabled(HWND page) {
    return IsControlEnabled(page, IDC_CONFIG_APPLY) && IsControlEnabled(page, IDC_CONFIG_CANCEL);
  }
  bool ApplyAndCancelDisabled(HWND page) {
    return !IsControlEnabled(page, IDC_CONFIG_APPLY) && !IsControlEnabled(page, IDC_CONFIG_CANCEL);
  }
};

TEST_F(Settings, ApplyStoresSendsInOrderAndTheLinkFollows) {
  HWND page = OpenConfiguration();
  // A fresh profile as the store gives it: no name, infrastructure, channel 1, automatic rate.
  EXPECT_EQ("", ControlText(page, IDC_SSID));
  EXPECT_EQ(kInfrastructure, ComboSelection(page, IDC_WIRELESS_MODE));
  EXPECT_EQ(0, ComboSelection(page, IDC_CHANNEL_LIST));
  EXPECT_EQ(0, ComboSelection(page, IDC_TX_RATE_LIST));
  EXPECT_EQ(0, ComboSelection(page, IDC_POWER_MODE));

  SetControlText(page, IDC_SSID, "Harbour-Office");
  ChooseComboEntry(page, IDC_CHANNEL_LIST, 0);
  ChooseComboEntry(page, IDC_TX_RATE_LIST, kRate2Mbps);
  ChooseComboEntry(page, IDC_POWER_MODE, kPowerNormal);
  ASSERT_GE(WaitFor([&] { return ApplyAndCancelEnabled(page); }, kCheckWait), 0) << "changes to apply";
  Sim().ClearLog();
  Click(page, IDC_CONFIG_APPLY);

  EXPECT_EQ(std::string("Harbour-Office", 15), Stored().Bytes("Default", "SSID")) << "with its terminator";
  EXPECT_EQ(kInfrastructure, Stored().Number("Default", "NETMODE"));
  EXPECT_EQ(1, Stored().Number("Default", "CHANNEL"));
  EXPECT_EQ(kRate2Mbps, Stored().Number("Default", "TXRATE"));
  EXPECT_EQ(kPowerNormal, Stored().Number("Default", "POWERMODE"));
  EXPECT_EQ("<missing>", Stored().Current()) << "Apply leaves the current-profile record alone";
  // The survey finds 1 and 2 Mbps basic on this network; "2 Mbps" drops the faster two.
  const Calls expected = {"NV_SetNetworkType(1)", "NV_SetSSID(Harbour-Office)", "NV_SetPowerSaveMode(2)",
                          "NV_SetChannel(1)",     "NV_SiteSurvey()",            "NV_SetRates(0,2,2,0,0)",
                          "NV_Rescan()"};
  EXPECT_EQ(expected, SettingCalls());

  HWND link = Page(PageKind::LinkInfo);
  const std::string status = LinkStatus("Associated", "Harbour-Office");
  EXPECT_EQ(status, AwaitText(link, IDC_STATUS, status)) << "the adapter joined the network";
  EXPECT_EQ("Harbour-Office", ControlText(link, IDC_SSID));
  EXPECT_EQ("1", ControlText(link, IDC_CHANNEL));
  EXPECT_EQ("2", ControlText(link, IDC_TX_RATE)) << "the fastest rate left";
  EXPECT_GE(WaitFor([&] { return ApplyAndCancelDisabled(page); }, kCheckWait), 0) << "nothing left to apply";
  SaveShot("configuration", Main());
}

TEST_F(Settings, CancelTakesBackWhatWasNotApplied) {
  HWND page = OpenConfiguration();
  SetControlText(page, IDC_SSID, "tarnel-lab");
  ChooseComboEntry(page, IDC_CHANNEL_LIST, 5);
  Click(page, IDC_CONFIG_APPLY);
  ASSERT_EQ(6, Stored().Number("Default", "CHANNEL"));

  SetControlText(page, IDC_SSID, "typo");
  ChooseComboEntry(page, IDC_CHANNEL_LIST, 10);
  ChooseComboEntry(page, IDC_WIRELESS_MODE, 0);
  ASSERT_GE(WaitFor([&] { return ApplyAndCancelEnabled(page); }, kCheckWait), 0);
  Sim().ClearLog();
  Click(page, IDC_CONFIG_CANCEL);

  EXPECT_EQ("tarnel-lab", ControlText(page, IDC_SSID));
  EXPECT_EQ(5, ComboSelection(page, IDC_CHANNEL_LIST));
  EXPECT_EQ(kInfrastructure, ComboSelection(page, IDC_WIRELESS_MODE));
  EXPECT_EQ(Calls{}, SettingCalls()) << "nothing reaches the adapter";
  EXPECT_EQ("tarnel-lab", Stored().Text("Default", "SSID"));
  EXPECT_GE(WaitFor([&] { return ApplyAndCancelDisabled(page); }, kCheckWait), 0);
}

TEST_F(Settings, AdHocNetworkOutOfRangeIsStoredAndSearchedFor) {
  HWND page = OpenConfiguration();
  SetControlText(page, IDC_SSID, "garage-cell");
  ChooseComboEntry(page, IDC_WIRELESS_MODE, 0);
  ChooseComboEntry(page, IDC_CHANNEL_LIST, 2);
  Sim().ClearLog();
  Click(page, IDC_CONFIG_APPLY);

  EXPECT_EQ(0, Stored().Number("Default", "NETMODE"));
  EXPECT_EQ(3, Stored().Number("Default", "CHANNEL"));
  // Not found by the survey: every rate counts as basic, and "Auto" sends automatic anyway.
  const Calls expected = {"NV_SetNetworkType(0)", "NV_SetSSID(garage-cell)", "NV_SetPowerSaveMode(0)",
                          "NV_SetChannel(3)",     "NV_SiteSurvey()",         "NV_SetRates(1,0,0,0,0)",
                          "NV_Rescan()"};
  EXPECT_EQ(expected, SettingCalls());
  HWND link = Page(PageKind::LinkInfo);
  EXPECT_EQ("Scanning", AwaitText(link, IDC_STATUS, "Scanning")) << "the adapter keeps looking";
  EXPECT_EQ("", ControlText(link, IDC_SSID));

  // The network comes into range: the adapter joins it on its own.
  Sim().AddNetwork(sim::MakeNetwork("garage-cell", 0, 3, 52, false));
  const std::string status = LinkStatus("Ad-Hoc", "garage-cell");
  EXPECT_EQ(status, AwaitText(link, IDC_STATUS, status));
  EXPECT_EQ("Ad Hoc", ControlText(link, IDC_CONNECTION_TYPE));
}

}  // namespace
}  // namespace tarnel::test
