// Keeping named profiles: adding one saves both pages' present settings under the new name,
// choosing one in the list applies both halves of it, removing one moves on to its neighbour.
#include <algorithm>

#include "Journey.h"

namespace tarnel::test {
namespace {

const Calls kEncryptionOff = {"NV_SetPrivacy(0,64)",     "NV_SetAuthenticaionMode(2)", "NV_SetDefaultKeyID(0)",
                              "NV_SetWEPKey(0,5,null)", "NV_SetWEPKey(1,5,null)",     "NV_SetWEPKey(2,5,null)",
                              "NV_SetWEPKey(3,5,null)"};

// The seven calls of an applied network setting, infrastructure, automatic rate, no power saving.
Calls NetworkCalls(const std::string& ssid, int channel) {
  return {"NV_SetNetworkType(1)", "NV_SetSSID(" + ssid + ")", "NV_SetPowerSaveMode(0)",
          "NV_SetChannel(" + std::to_string(channel) + ")", "NV_SiteSurvey()", "NV_SetRates(1,0,0,0,0)",
          "NV_Rescan()"};
}

Calls Joined(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

int IndexOf(const std::vector<std::string>& names, const std::string& name) {
  const auto at = std::find(names.begin(), names.end(), name);
  return at == names.end() ? -1 : static_cast<int>(at - names.begin());
}

class Profiles : public Journey {
 protected:
  HWND OpenConfiguration() { return OpenSettingsPage(PageKind::Configuration); }
  void AddProfile(HWND page, const std::string& name, const std::string& ssid, int channel) {
    SetControlText(page, IDC_SSID, ssid);
    ChooseComboEntry(page, IDC_CHANNEL_LIST, channel - 1);
    SetControlText(page, IDC_PROFILE_NAME, name);
    Click(page, IDC_PROFILE_ADD);
  }
  HWND OpenEncryption() { return OpenSettingsPage(PageKind::Encryption); }
  std::string SelectedProfile(HWND page) {
    const std::vector<std::string> names = ListBoxEntries(page, IDC_PROFILE_LIST);
    const int selected = ListBoxSelection(page, IDC_PROFILE_LIST);
    return selected >= 0 && selected < static_cast<int>(names.size()) ? names[selected] : "<none>";
  }
};

TEST_F(Profiles, AddSwitchAndRemoveCarryBothPagesSettings) {
  HWND config = OpenConfiguration();

  // "Home": the lab network, saved and applied with encryption as the page holds it (off).
  Sim().ClearLog();
  AddProfile(config, "Home", "tarnel-lab", 6);
  EXPECT_EQ(Joined(NetworkCalls("tarnel-lab", 6), kEncryptionOff), SettingCalls());
  EXPECT_EQ(std::vector<std::string>{"Home"}, Stored().Listed());
  EXPECT_EQ("Home", Stored().Current());
  EXPECT_EQ("tarnel-lab", Stored().Text("Home", "SSID"));
  EXPECT_EQ(6, Stored().Number("Home", "CHANNEL"));
  EXPECT_EQ(-1, Stored().Number("Home", "WEP"));
  EXPECT_EQ(0, Stored().Number("Home", "KEYINDEX")) << "no key chosen: the first";
  EXPECT_EQ("Home", SelectedProfile(config));

  // Home gets a 64-bit ASCII key on the Encryption page.
  HWND encryption = OpenEncryption();
  Click(encryption, IDC_ENCRYPTION_ENABLE);
  ChooseComboEntry(encryption, IDC_KEY_FORMAT, 0);
  SetControlText(encryption, IDC_KEY1, "home1");
  Click(encryption, IDC_ENCRYPTION_APPLY);
  ASSERT_EQ(0, Stored().Number("Home", "WEP"));
  ASSERT_EQ("home1", Stored().Text("Home", "KEY1"));

  // "Office": added from the same pages, so it starts with Home's key; then encryption off.
  config = OpenConfiguration();
  AddProfile(config, "Office", "Harbour-Office", 1);
  EXPECT_EQ("Office", Stored().Current());
  EXPECT_EQ(0, Stored().Number("Office", "WEP")) << "the encryption page's present settings";
  EXPECT_EQ("home1", Stored().Text("Office", "KEY1"));
  encryption = OpenEncryption();
  EXPECT_TRUE(IsChecked(encryption, IDC_ENCRYPTION_ENABLE));
  Click(encryption, IDC_ENCRYPTION_ENABLE);
  Click(encryption, IDC_ENCRYPTION_APPLY);
  ASSERT_EQ(-1, Stored().Number("Office", "WEP"));

  // Choosing Home in the list: both halves of Home shown and applied.
  config = OpenConfiguration();
  const std::vector<std::string> names = ListBoxEntries(config, IDC_PROFILE_LIST);
  ASSERT_EQ(2u, names.size());
  EXPECT_EQ("Office", SelectedProfile(config));
  Sim().ClearLog();
  ChooseListBoxEntry(config, IDC_PROFILE_LIST, IndexOf(names, "Home"));
  EXPECT_EQ("Home", Stored().Current());
  EXPECT_EQ("tarnel-lab", ControlText(config, IDC_SSID));
  EXPECT_EQ(5, ComboSelection(config, IDC_CHANNEL_LIST));
  const Calls homeKey = {"NV_SetPrivacy(1,64)",        "NV_SetAuthenticaionMode(2)", "NV_SetDefaultKeyID(0)",
                         "NV_SetWEPKey(0,5,686f6d6531)", "NV_SetWEPKey(1,5,3030303030)", "NV_SetWEPKey(2,5,3030303030)",
                         "NV_SetWEPKey(3,5,3030303030)"};
  EXPECT_EQ(Joined(NetworkCalls("tarnel-lab", 6), homeKey), SettingCalls());
  HWND link = Page(PageKind::LinkInfo);
  const std::string lab = LinkStatus("Associated", "tarnel-lab");
  EXPECT_EQ(lab, AwaitText(link, IDC_STATUS, lab));

  // Removing Home, the selected one: its neighbour Office becomes current and is applied.
  Sim().ClearLog();
  Click(config, IDC_PROFILE_REMOVE);
  EXPECT_EQ(std::vector<std::string>{"Office"}, Stored().Listed());
  EXPECT_FALSE(Stored().HasProfile("Home")) << "its settings are gone too";
  EXPECT_EQ("Office", Stored().Current());
  EXPECT_EQ(std::vector<std::string>{"Office"}, ListBoxEntries(config, IDC_PROFILE_LIST));
  EXPECT_EQ("Office", SelectedProfile(config));
  EXPECT_EQ("Harbour-Office", ControlText(config, IDC_SSID));
  EXPECT_EQ(Joined(NetworkCalls("Harbour-Office", 1), kEncryptionOff), SettingCalls());

  // Removing the last one: "Default" takes over, with the store's defaults.
  Sim().ClearLog();
  Click(config, IDC_PROFILE_REMOVE);
  EXPECT_EQ(std::vector<std::string>{}, Stored().Listed());
  EXPECT_EQ(std::vector<std::string>{}, ListBoxEntries(config, IDC_PROFILE_LIST));
  EXPECT_EQ("Default", Stored().Current());
  EXPECT_EQ("", ControlText(config, IDC_SSID));
  const Calls applied = SettingCalls();
  ASSERT_GE(applied.size(), 7u);
  EXPECT_EQ(NetworkCalls("", 1), Calls(applied.begin(), applied.begin() + 7));
}

TEST_F(Profiles, AddWithoutANameOrRemoveWithoutASelectionDoesNothing) {
  HWND config = OpenConfiguration();
  Sim().ClearLog();
  Click(config, IDC_PROFILE_ADD);
  Click(config, IDC_PROFILE_REMOVE);
  EXPECT_EQ(Calls{}, SettingCalls());
  EXPECT_EQ(std::vector<std::string>{}, Stored().Listed());
  EXPECT_EQ("<missing>", Stored().Current());
}

}  // namespace
}  // namespace tarnel::test
