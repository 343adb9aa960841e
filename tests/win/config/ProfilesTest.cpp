// The profile half of the page: the list, Add, Remove and switching, each of which makes a
// profile current and pushes it to the driver.
#include <algorithm>

#include "ConfigFixture.h"

namespace tarnel::test {
namespace {

const Calls kNoCalls;

class ProfilesTest : public ConfigPageTest {
 protected:
  // Lists the names and stores settings for each whose network name is the name in lower case.
  void MakeProfiles(const Names& names) {
    for (const std::string& name : names) {
      WriteText("ProfileList", name.c_str(), "");
      std::string ssid = name;
      std::transform(ssid.begin(), ssid.end(), ssid.begin(), ::tolower);
      WriteStored(name, {ssid, 1, 1, 0, 0});
    }
  }
  int IndexOf(const std::string& name) {
    const Names items = ListItems();
    return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
  }
  // The page shows and the driver was given this profile's network name, as current.
  void ExpectApplied(const std::string& name, const std::string& ssid) {
    EXPECT_EQ(name, CurrentProfileName);
    EXPECT_EQ(ssid, Text(IDC_SSID));
    const Calls calls = SettingCalls();
    EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "NV_SetSSID(" + ssid + ")")) << name;
  }
  // Index of the first call that belongs to the encryption half.
  static size_t FirstEncryptionCall(const Calls& calls) {
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].rfind("NV_SetPrivacy", 0) == 0 || calls[i].rfind("NV_SetAuthenticaionMode", 0) == 0) return i;
    return calls.size();
  }
};

TEST_F(ProfilesTest, RefreshListsTheProfilesAndSelectsTheCurrentOneWhateverItsCase) {
  MakeProfiles({"Home", "Office", "Cafe"});
  WriteText("ProfileList", "", "oFFICE");
  Open();
  ShowAndRefresh();
  EXPECT_EQ(ListValueNames(), ListItems());
  EXPECT_EQ(3u, ListItems().size());
  EXPECT_EQ(IndexOf("Office"), ListSelection());
  EXPECT_EQ("oFFICE", CurrentProfileName);
  EXPECT_EQ("office", Text(IDC_SSID)) << "the registry ignores the case too";

  WriteText("ProfileList", "", "Default");  // not listed
  Page().OnTimer(CConfigPage::kRefreshTimerId);
  EXPECT_EQ(-1, ListSelection());
}

TEST_F(ProfilesTest, AddSavesBothHalvesOfThePageUnderTheNewNameAndMakesItCurrent) {
  WriteDword("Default", "PRIORITY", 5);
  Open();
  ShowAndRefresh();
  SetText(IDC_SSID, "lab");
  TickAutoBox(true);
  ComboSelect(IDC_CHANNEL_LIST, 10);
  SetText(IDC_PROFILE_NAME, "Home");
  driver.ClearCalls();
  Click(IDC_PROFILE_ADD);

  EXPECT_EQ(Names{"Home"}, ListItems());
  EXPECT_EQ(0, ListSelection());
  EXPECT_EQ("Home", CurrentRecord());
  EXPECT_EQ("Home", Text(IDC_PROFILE_NAME)) << "the name box keeps its text";
  EXPECT_EQ((Stored{"lab", 1, 11, 0, 0}), ReadStored("Home"));
  EXPECT_EQ(1, ReadNumber("Home", "AUTOCONNECT")) << "the box as shown";
  EXPECT_EQ(0, ReadNumber("Home", "PRIORITY")) << "a new profile, not the page's last one";
  ExpectApplied("Home", "lab");
  const Calls calls = SettingCalls();
  ASSERT_GE(calls.size(), 7u);
  EXPECT_EQ("NV_Rescan()", calls[6]);
  EXPECT_EQ(7u, FirstEncryptionCall(calls)) << "then the encryption page applies";
  RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\Home").c_str(), KEY_READ);
  EXPECT_EQ(0, RegQueryValueExA(key.Get(), "WEP", nullptr, nullptr, nullptr, nullptr)) << "saved under Home";
}

TEST_F(ProfilesTest, AddWithAListedNameKeepsOneEntryOverwritesItAndSelectsTheLastEntry) {
  MakeProfiles({"Alpha", "Beta"});
  WriteDword("Alpha", "AUTOCONNECT", 1);
  WriteDword("Alpha", "PRIORITY", 3);
  Open();
  ShowAndRefresh();
  SetText(IDC_SSID, "replaced");
  SetText(IDC_PROFILE_NAME, "alpha");  // another letter case is the same registry name
  Click(IDC_PROFILE_ADD);
  EXPECT_EQ(ListValueNames(), ListItems());
  EXPECT_EQ(2u, ListItems().size());
  EXPECT_EQ(1, ListSelection());
  EXPECT_EQ("replaced", ReadStored("Alpha").ssid);
  EXPECT_EQ(0, ReadNumber("Alpha", "AUTOCONNECT")) << "overwritten with the box as shown";
  EXPECT_EQ(3, ReadNumber("Alpha", "PRIORITY")) << "its own priority kept";
  EXPECT_EQ("alpha", CurrentProfileName);
}

TEST_F(ProfilesTest, AddIgnoresNamesThatCannotNameAProfile) {
  MakeProfiles({"Home"});
  Open();
  ShowAndRefresh();
  driver.ClearCalls();
  for (const std::string& name : {std::string(), std::string("Home\\Kitchen"), std::string("\\"),
                                  std::string(256, 'x')}) {
    SetText(IDC_PROFILE_NAME, name);
    Click(IDC_PROFILE_ADD);
  }
  EXPECT_EQ(kNoCalls, SettingCalls());
  EXPECT_EQ(Names{"Home"}, ListValueNames());
  EXPECT_FALSE(KeyExists("Home\\Kitchen")) << "no profile nested inside another";
  EXPECT_EQ("Default", CurrentProfileName);
}

TEST_F(ProfilesTest, RemovingTheOnlyProfileFallsBackToDefaultAndAppliesIt) {
  MakeProfiles({"Home"});
  WriteText("ProfileList", "", "Home");
  WriteStored("Default", {"fallback", 0, 2, 1, 1});
  Open();
  ShowAndRefresh();
  ASSERT_EQ(0, ListSelection());
  driver.ClearCalls();
  Click(IDC_PROFILE_REMOVE);
  EXPECT_EQ(Names{}, ListItems());
  EXPECT_EQ(-1, ListSelection());
  EXPECT_EQ(Names{}, ListValueNames());
  EXPECT_FALSE(KeyExists("Home"));
  EXPECT_EQ("Default", CurrentRecord());
  ExpectApplied("Default", "fallback");
  EXPECT_EQ(0, ComboSelection(IDC_WIRELESS_MODE));
}

TEST_F(ProfilesTest, RemoveSelectsTheEntryMovingUpOrTheNewLastAndAppliesIt) {
  MakeProfiles({"A1", "B2", "C3", "D4"});
  Open();
  ShowAndRefresh();
  const Names before = ListItems();
  ASSERT_EQ(4u, before.size());

  PickProfile(1);  // a middle one
  driver.ClearCalls();
  Click(IDC_PROFILE_REMOVE);
  EXPECT_EQ((Names{before[0], before[2], before[3]}), ListItems());
  EXPECT_EQ(1, ListSelection());
  EXPECT_FALSE(KeyExists(before[1]));
  ExpectApplied(before[2], Text(IDC_SSID));
  EXPECT_EQ(before[2], CurrentRecord());

  PickProfile(2);  // the last one
  driver.ClearCalls();
  Click(IDC_PROFILE_REMOVE);
  EXPECT_EQ((Names{before[0], before[2]}), ListItems());
  EXPECT_EQ(1, ListSelection());
  EXPECT_EQ(before[2], CurrentProfileName);
  EXPECT_EQ(ListValueNames(), ListItems());

  ::SendMessageA(Item(IDC_PROFILE_LIST), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  driver.ClearCalls();
  Click(IDC_PROFILE_REMOVE);
  EXPECT_EQ(2u, ListItems().size()) << "nothing selected, nothing removed";
  EXPECT_EQ(kNoCalls, SettingCalls());
}

TEST_F(ProfilesTest, SwitchingAppliesTheConfigurationThenTheEncryptionOfTheNewProfile) {
  MakeProfiles({"Home", "Work"});
  WriteStored("Work", {"work", 0, 4, 3, 2});
  WriteDword("Work", "WEP", 1);  // 64-bit hex
  WriteDword("Work", "KEYINDEX", 2);
  WriteText("Work", "KEY3", "0A1B2C3D4E");
  WriteDword("Work", "AUTOCONNECT", 1);
  WriteDword("Work", "PRIORITY", static_cast<DWORD>(-2));
  Open();
  ShowAndRefresh();
  EXPECT_FALSE(AutoBoxTicked());
  driver.ClearCalls();
  PickProfile(IndexOf("Work"));

  EXPECT_EQ("Work", CurrentRecord());
  EXPECT_TRUE(AutoBoxTicked());
  EXPECT_EQ(-2, ReadNumber("Work", "PRIORITY"));
  EXPECT_FALSE(CheckSaysModified());
  EXPECT_EQ(0, ComboSelection(IDC_WIRELESS_MODE));
  EXPECT_EQ(3, ComboSelection(IDC_CHANNEL_LIST));
  const Calls calls = SettingCalls();
  ASSERT_GE(calls.size(), 8u);
  EXPECT_EQ((Calls{"NV_SetNetworkType(0)", "NV_SetSSID(work)", "NV_SetPowerSaveMode(2)", "NV_SetChannel(4)",
                   "NV_SiteSurvey()", "NV_SetRates(0,2,2,2,0)", "NV_Rescan()"}),
            Calls(calls.begin(), calls.begin() + 7));
  EXPECT_EQ(7u, FirstEncryptionCall(calls));
  const Calls encryption(calls.begin() + 7, calls.end());
  EXPECT_NE(encryption.end(), std::find(encryption.begin(), encryption.end(), "NV_SetPrivacy(1,64)"))
      << "the encryption page reloaded Work's settings before applying them";
  EXPECT_NE(encryption.end(), std::find(encryption.begin(), encryption.end(), "NV_SetDefaultKeyID(2)"));
}

TEST_F(ProfilesTest, SelectionBeyondTheRefreshedListAppliesNothingAndShowsTheRegistrysList) {
  MakeProfiles({"A1", "B2", "C3"});
  Open();
  ShowAndRefresh();
  const Names before = ListItems();
  {
    RegKey list = RegKey::Open(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\ProfileList").c_str(), KEY_ALL_ACCESS);
    ::RegDeleteValueA(list.Get(), before[1].c_str());
    ::RegDeleteValueA(list.Get(), before[2].c_str());
  }
  driver.ClearCalls();
  PickProfile(2);
  EXPECT_EQ(kNoCalls, SettingCalls());
  EXPECT_EQ("Default", CurrentProfileName);
  EXPECT_EQ(Names{before[0]}, ListItems());
  EXPECT_EQ(-1, ListSelection());
}

}  // namespace
}  // namespace tarnel::test
