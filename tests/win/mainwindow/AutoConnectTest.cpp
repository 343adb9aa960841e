// Connecting by itself to a known network, stepped through the readings the link page hands the
// main window: their clock is the only one the automatic connection uses, so minutes pass here
// in no time. The real store, pages and settings layer over the scripted driver.
#include <algorithm>
#include <cstring>
#include <functional>

#include "HostedMainWindow.h"
#include "StoreFixture.h"
#include "profiles/ProfileGlobals.h"

namespace tarnel::test {
namespace {

constexpr uint32_t kTick = 300;  // the link page's period

SiteSurveyEntry Network(const std::string& ssid, int32_t signal, bool infrastructure = true) {
  SiteSurveyEntry record{};
  std::memcpy(record.ssid, ssid.data(), std::min(ssid.size(), sizeof(record.ssid) - 1));
  record.networkType = infrastructure ? 1 : 0;
  record.signal = static_cast<uint8_t>(signal);
  return record;
}

class AutoConnectTest : public HostedMainWindow {
 protected:
  void SetUp() override {}  // the store is filled first: Start() opens the window
  void Start(bool xpConfig = false) {
    ASSERT_TRUE(store.Ready());
    driver.xpConfig = xpConfig ? 1 : 0;
    HostedMainWindow::SetUp();
    driver.onCall = [this](const std::string& call) {
      if (call == "NV_SiteSurvey()") surveys.push_back(clock);
      if (call.rfind("NV_SetSSID(", 0) == 0) joined.push_back(call.substr(11, call.size() - 12));
    };
  }
  void TearDown() override {
    driver.onCall = nullptr;
    HostedMainWindow::TearDown();
  }

  // Readings for spanMs, the adapter as the fields say. Times below count from the last reading
  // before a span, so readings fall on multiples of 300 and a 5 s rule counted from the first
  // reading without a link acts at 5400.
  void Run(uint32_t spanMs, int32_t state = NV_LINK_SCANNING) {
    ASSERT_EQ(0u, spanMs % kTick);
    LinkReading reading;
    reading.linkState = state;
    reading.radioOff = radioOff;
    reading.adapterPresent = adapterPresent;
    FeedReadings(window, &clock, spanMs, reading);
  }
  // Survey times since the given moment.
  std::vector<uint32_t> SurveysSince(uint32_t from) const {
    std::vector<uint32_t> since;
    for (uint32_t at : surveys) since.push_back(at - from);
    return since;
  }
  void Forget() {
    surveys.clear();
    joined.clear();
    driver.ClearCalls();
  }

  StoreFixture store{"0926"};
  uint32_t clock = 0x7FFFF000;  // the tick count's wrap passes by in the longer runs
  bool radioOff = false;
  bool adapterPresent = true;
  std::vector<uint32_t> surveys;     // the clock at each survey
  std::vector<std::string> joined;   // network names given to the driver, in order
};

TEST_F(AutoConnectTest, FiveSecondsWithoutALinkThenTheBestCandidateThenTheNextAfterTenSeconds) {
  store.AddProfile("Home", "home", true);
  store.AddProfile("Office", "office", true);
  store.AddProfile("Cafe", "cafe", false);
  store.AddProfile("Lab", "lab", true, 0, 0);  // ad hoc: the infrastructure network does not match
  store.SetRecent({"Office", "Home"});
  driver.survey = {Network("home", 90), Network("cafe", 99), Network("office", 20), Network("lab", 80)};
  Start();

  Run(3000, NV_LINK_ASSOCIATED);
  const uint32_t lost = clock;
  Run(5100);
  EXPECT_EQ(std::vector<uint32_t>{}, surveys) << "4.8 s after the first reading without a link";
  Run(300);
  ASSERT_EQ(2u, surveys.size()) << "the choice's survey, then the apply's own";
  EXPECT_EQ(5400u, surveys[0] - lost);
  EXPECT_EQ(std::vector<std::string>{"office"}, joined) << "same priority: the one current most recently";
  EXPECT_EQ("Office", CurrentProfileName);
  EXPECT_EQ("Office", store.Current());

  // No link from Office within 10 s: Home; then, the candidates used up, 10 s of waiting.
  Run(9900);
  EXPECT_EQ(std::vector<std::string>{"office"}, joined);
  Run(300);
  EXPECT_EQ((std::vector<std::string>{"office", "home"}), joined);
  Forget();
  Run(20100);
  EXPECT_EQ(std::vector<uint32_t>{}, surveys);
  Run(300);
  EXPECT_EQ(1u, surveys.size()) << "a new survey after the wait";
  EXPECT_EQ(std::vector<std::string>{}, joined) << "Home, current and in range, is left to the adapter";
}

TEST_F(AutoConnectTest, WithNothingInRangeTheWaitDoublesUpToTwoMinutesAndOnlyASteadyLinkResetsIt) {
  store.AddProfile("Home", "home", true);
  Start();
  Run(300, NV_LINK_ASSOCIATED);
  const uint32_t lost = clock;
  Run(300000);
  // Five minutes: 5 s, then waits of 10, 20, 40, 80 and 120 s.
  EXPECT_EQ((std::vector<uint32_t>{5400, 15600, 35700, 75900, 156000, 276000}), SurveysSince(lost));
  EXPECT_EQ(std::vector<std::string>{}, joined);

  // A link that comes and goes does not start the waits again; one held a minute does.
  Run(3000, NV_LINK_ASSOCIATED);
  Forget();
  Run(60000);
  EXPECT_EQ(std::vector<uint32_t>{}, surveys) << "the 2 min wait goes on";
  Run(60300, NV_LINK_ASSOCIATED);
  Forget();
  const uint32_t lostAgain = clock;
  Run(19800);
  EXPECT_EQ((std::vector<uint32_t>{5400, 15600}), SurveysSince(lostAgain)) << "10 s again after a steady link";
}

// The user's own act holds it back too: the journey and the icon's menu test show that.
TEST_F(AutoConnectTest, NeverActsWhilePagesHoldChangesOrTheAdapterCannotBeUsed) {
  store.AddProfile("Home", "home", true);
  driver.survey = {Network("home", 60)};
  Start();
  CConfigPage& config = *dynamic_cast<CConfigPage*>(window.PageTable(CTarnel_UIDlg::kConfigPageIndex));
  HWND page = config.m_hWnd;
  window.SelectPage(CTarnel_UIDlg::kConfigPageIndex);
  config.OnTimer(CConfigPage::kRefreshTimerId);
  Run(300, NV_LINK_ASSOCIATED);

  // Changes typed and not applied hold it back until they are undone.
  Run(300, NV_LINK_ASSOCIATED);
  ::SetDlgItemTextA(page, IDC_SSID, "typed");
  Forget();
  Run(20100);
  EXPECT_EQ(Calls{}, driver.NonPollingCalls()) << "the Configuration page holds a change";
  ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_CONFIG_CANCEL, BN_CLICKED), 0);
  Run(300);
  EXPECT_EQ(std::vector<std::string>{"home"}, joined) << "at the next reading";

  const struct {
    const char* what;
    std::function<void(bool)> set;
  } conditions[] = {
      {"radio off", [&](bool on) { radioOff = on; }},
      {"adapter gone", [&](bool on) { adapterPresent = !on; }},
      {"library not initialised", [&](bool on) { window.AdapterReady = on ? FALSE : TRUE; }},
  };
  for (const auto& c : conditions) {
    Run(300, NV_LINK_ASSOCIATED);
    c.set(true);
    Forget();
    Run(60000);
    EXPECT_EQ(Calls{}, driver.Calls()) << c.what;
    c.set(false);
    Run(5400);
    // Home, current since the switch above and in range, is then left to the adapter.
    EXPECT_EQ(1u, surveys.size()) << c.what << ": 5 s after it ended";
  }

  // A suspend gives no readings at all; after the resume the 5 s start afresh.
  Run(300, NV_LINK_ASSOCIATED);
  Run(3000);
  ::SendMessageA(Main(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  clock += 60000;
  ::SendMessageA(Main(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  Forget();
  Run(5100);
  EXPECT_EQ(std::vector<uint32_t>{}, surveys) << "not at the first reading after the resume";
  Run(300);
  EXPECT_EQ(1u, surveys.size());
}

TEST_F(AutoConnectTest, NothingHappensWhileTheSystemsOwnConfigurationRunsTheAdapter) {
  store.AddProfile("Home", "home", true);
  driver.survey = {Network("home", 60)};
  Start(true);
  ASSERT_EQ(1, window.PageCount());
  Run(300, NV_LINK_ASSOCIATED);
  Run(60000);
  EXPECT_EQ(Calls{}, driver.Calls());
}

}  // namespace
}  // namespace tarnel::test
