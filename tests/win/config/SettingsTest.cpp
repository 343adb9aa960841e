// The settings half of the page: what a refresh shows, the change check, and Apply's saving
// and driver calls.
#include <functional>

#include "ConfigFixture.h"
#include "MessagePump.h"
#include "framework/WaitCursor.h"
#include "settings/portable/Values.h"

namespace tarnel::test {
namespace {

const Calls kNoCalls;


TEST_F(ConfigPageTest, FreshSystemShowsTheDefaultProfileAndNoProfiles) {
  Open();
  ShowAndRefresh();
  EXPECT_EQ("Default", CurrentProfileName);
  EXPECT_EQ("", Text(IDC_SSID));
  EXPECT_EQ(32, ::SendMessageA(Item(IDC_SSID), EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ(1, ComboSelection(IDC_WIRELESS_MODE));
  EXPECT_EQ(0, ComboSelection(IDC_CHANNEL_LIST));
  EXPECT_EQ(0, ComboSelection(IDC_TX_RATE_LIST));
  EXPECT_EQ(0, ComboSelection(IDC_POWER_MODE));
  EXPECT_EQ(Names{}, ListItems());
  EXPECT_EQ(-1, ListSelection());
  EXPECT_FALSE(AutoBoxTicked());
  EXPECT_FALSE(CheckSaysModified());
  EXPECT_EQ(kNoCalls, SettingCalls()) << "showing the profile sets nothing";
  // "Connect automatically" sits with the profile's buttons and is reached by Tab after them.
  HWND page = Page().m_hWnd;
  EXPECT_EQ(Item(IDC_AUTO_CONNECT), ::GetNextDlgTabItem(page, Item(IDC_PROFILE_REMOVE), FALSE));
  EXPECT_EQ(Item(IDC_SSID), ::GetNextDlgTabItem(page, Item(IDC_AUTO_CONNECT), FALSE))
      << "then round to the first: Apply and Cancel are disabled";
  EXPECT_EQ(0, CWaitCursor::Depth());
}

TEST_F(ConfigPageTest, ListsHoldTheValueTextsNvkctlMatches) {
  Open();
  const auto texts = [](const auto& table) { return Names(table.begin(), table.end()); };
  EXPECT_EQ(texts(settings::kNetModeTexts), ComboItems(IDC_WIRELESS_MODE));
  EXPECT_EQ(texts(settings::kTxRateTexts), ComboItems(IDC_TX_RATE_LIST));
  EXPECT_EQ(texts(settings::kPowerModeTexts), ComboItems(IDC_POWER_MODE));
}

TEST_F(ConfigPageTest, ActivationRefreshesAtOnceThenChecksWhileShownOnly) {
  WriteStored("Default", {"lab", 0, 3, 2, 1});
  Open();
  window.SelectPage(1);
  EXPECT_TRUE(::IsWindowEnabled(Item(IDC_CONFIG_APPLY))) << "enabled until the first check";
  PumpUntil([&] { return !::IsWindowEnabled(Item(IDC_CONFIG_APPLY)); }, 2000);
  EXPECT_EQ("lab", Text(IDC_SSID));
  EXPECT_EQ(2, ComboSelection(IDC_CHANNEL_LIST));
  EXPECT_FALSE(::IsWindowEnabled(Item(IDC_CONFIG_APPLY)));
  EXPECT_FALSE(::IsWindowEnabled(Item(IDC_CONFIG_CANCEL)));
  EXPECT_FALSE(::KillTimer(Page().m_hWnd, CConfigPage::kRefreshTimerId)) << "the refresh runs once";

  window.SelectPage(0);
  EXPECT_FALSE(::KillTimer(Page().m_hWnd, CConfigPage::kCheckTimerId)) << "hidden, the page stops checking";
}

TEST_F(ConfigPageTest, ApplySavesFirstThenSetsTheDriverInOrderWithTheBoxAsItIsNow) {
  WriteDword("Default", "PRIORITY", 7);
  driver.survey = {SurveyRecord("lab", {0x02, 0x04, 0x0B, 0x16}), SurveyRecord("office", {0x82, 0x84, 0x0B, 0x16})};
  Open();
  ShowAndRefresh();
  driver.ClearCalls();
  // No change check runs between typing and the click.
  SetText(IDC_SSID, "office");
  ComboSelect(IDC_WIRELESS_MODE, 0);
  ComboSelect(IDC_CHANNEL_LIST, 5);
  ComboSelect(IDC_TX_RATE_LIST, 2);
  ComboSelect(IDC_POWER_MODE, 2);
  TickAutoBox(true);
  Stored atFirstCall = {};
  int waitDepthInSurvey = 0;
  driver.onCall = [&](const std::string& call) {
    if (call == "NV_SetNetworkType(0)") atFirstCall = ReadStored("Default");
    if (call == "NV_SiteSurvey()") waitDepthInSurvey = CWaitCursor::Depth();
  };
  Click(IDC_CONFIG_APPLY);
  driver.onCall = nullptr;

  EXPECT_EQ((Calls{"NV_SetNetworkType(0)", "NV_SetSSID(office)", "NV_SetPowerSaveMode(2)", "NV_SetChannel(6)",
                   "NV_SiteSurvey()", "NV_SetRates(0,2,2,0,0)", "NV_Rescan()"}),
            SettingCalls());
  const Stored expected = {"office", 0, 6, 2, 2};
  EXPECT_EQ(expected, atFirstCall) << "stored before the driver hears of it";
  EXPECT_EQ(expected, ReadStored("Default"));
  EXPECT_EQ(1, ReadNumber("Default", "AUTOCONNECT"));
  EXPECT_EQ(7, ReadNumber("Default", "PRIORITY")) << "not on the page: kept";
  EXPECT_GT(waitDepthInSurvey, 0);
  EXPECT_EQ(0, CWaitCursor::Depth());
  EXPECT_EQ(Names{}, ListValueNames()) << "Apply lists nothing";
  EXPECT_EQ("<none>", CurrentRecord()) << "and records no current profile";
  EXPECT_FALSE(CheckSaysModified());
}

TEST_F(ConfigPageTest, RatesSentFollowTheNamedNetworksSurveyRecordAndTheRateChoice) {
  const std::string full(32, 'W');  // fills its record's name field: no terminator
  driver.survey = {SurveyRecord("office", {0x82, 0x84, 0x0B, 0x16}), SurveyRecord(full, {0x02, 0x84, 0, 0})};
  Open();
  ShowAndRefresh();
  const struct {
    std::string ssid;
    int rate;
    const char* sent;
  } cases[] = {
      {"office", 0, "NV_SetRates(1,0,0,0,0)"},    {"office", 1, "NV_SetRates(0,2,0,0,0)"},
      {"office", 3, "NV_SetRates(0,2,2,1,0)"},    {"office", 4, "NV_SetRates(0,2,2,1,1)"},
      {"office", -1, "NV_SetRates(0,2,2,1,1)"},   {"Office", 4, "NV_SetRates(0,2,2,2,2)"},
      {"elsewhere", 2, "NV_SetRates(0,2,2,0,0)"}, {"elsewhere", 4, "NV_SetRates(0,2,2,2,2)"},
      {full, 4, "NV_SetRates(0,1,2,0,0)"},
  };
  for (const auto& c : cases) {
    SetText(IDC_SSID, c.ssid);
    ComboSelect(IDC_TX_RATE_LIST, c.rate);
    driver.ClearCalls();
    Click(IDC_CONFIG_APPLY);
    const Calls calls = SettingCalls();
    ASSERT_EQ(7u, calls.size());
    EXPECT_EQ("NV_SetSSID(" + c.ssid + ")", calls[1]);
    EXPECT_EQ(c.sent, calls[5]) << c.ssid << " at rate " << c.rate;
    EXPECT_EQ(static_cast<DWORD>(c.rate), ReadStored("Default").txRate);
  }
}

TEST_F(ConfigPageTest, ChannelListComesFromTheDriversPlanAndApplySendsThePosition) {
  driver.channelPlan = 3;
  Open();
  EXPECT_EQ((Names{"10", "11"}), ComboItems(IDC_CHANNEL_LIST));
  ShowAndRefresh();
  ComboSelect(IDC_CHANNEL_LIST, 1);  // "11"
  Click(IDC_CONFIG_APPLY);
  EXPECT_EQ("NV_SetChannel(2)", SettingCalls()[3]);
  EXPECT_EQ(2u, ReadStored("Default").channel);
}

TEST_F(ConfigPageTest, UnknownPlanLeavesNoChannelsAndApplySendsChannelZero) {
  driver.channelPlan = 42;
  Open();
  EXPECT_EQ(Names{}, ComboItems(IDC_CHANNEL_LIST));
  ShowAndRefresh();
  EXPECT_EQ(-1, ComboSelection(IDC_CHANNEL_LIST));
  EXPECT_TRUE(CheckSaysModified()) << "stored channel 1 is not in the list";
  driver.ClearCalls();
  Click(IDC_CONFIG_APPLY);
  EXPECT_EQ("NV_SetChannel(0)", SettingCalls()[3]);
  EXPECT_EQ(0u, ReadStored("Default").channel);
  EXPECT_FALSE(CheckSaysModified());
}

TEST_F(ConfigPageTest, StoredValueOutsideItsListShowsNoSelectionAndKeepsApplyEnabled) {
  WriteStored("Default", {"lab", 1, 1, 7, 0});
  Open();
  ShowAndRefresh();
  EXPECT_EQ(-1, ComboSelection(IDC_TX_RATE_LIST));
  EXPECT_EQ(1, ComboSelection(IDC_WIRELESS_MODE));
  EXPECT_TRUE(CheckSaysModified());
  EXPECT_TRUE(CheckSaysModified());
  WriteDword("Default", "TXRATE", 4);
  Click(IDC_CONFIG_CANCEL);
  EXPECT_EQ(4, ComboSelection(IDC_TX_RATE_LIST));
  EXPECT_FALSE(CheckSaysModified());
}

TEST_F(ConfigPageTest, ChangeCheckSeesEveryControlAndTheNamesLetterCaseAndCancelUndoesIt) {
  WriteStored("Default", {"Office", 0, 3, 2, 1});
  Open();
  ShowAndRefresh();
  ASSERT_FALSE(CheckSaysModified());
  const struct {
    const char* what;
    std::function<void()> change;
  } changes[] = {
      {"name letter case", [&] { SetText(IDC_SSID, "office"); }},
      {"name", [&] { SetText(IDC_SSID, "Office2"); }},
      {"mode", [&] { ComboSelect(IDC_WIRELESS_MODE, 1); }},
      {"channel", [&] { ComboSelect(IDC_CHANNEL_LIST, 3); }},
      {"rate", [&] { ComboSelect(IDC_TX_RATE_LIST, -1); }},
      {"power", [&] { ComboSelect(IDC_POWER_MODE, 2); }},
      {"connect automatically", [&] { TickAutoBox(true); }},
  };
  for (const auto& c : changes) {
    c.change();
    EXPECT_TRUE(CheckSaysModified()) << c.what;
    Click(IDC_CONFIG_CANCEL);
    EXPECT_FALSE(CheckSaysModified()) << c.what;
    EXPECT_FALSE(AutoBoxTicked()) << c.what;
  }
  EXPECT_EQ(kNoCalls, SettingCalls());
}

}  // namespace
}  // namespace tarnel::test
