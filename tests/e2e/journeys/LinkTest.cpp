// Watching the link: the link page and the notification-area image follow the adapter on the
// page's own tick, whatever page is in front.
#include <algorithm>
#include <set>

#include "Journey.h"
#include "TrayImage.h"

namespace tarnel::test {
namespace {

using sim::NvCall;

class Link : public Journey {
 protected:
  void BeforeLaunch() override { Sim().SetSignal(82, 64); }

  HWND LinkPage() { return Page(PageKind::LinkInfo); }
  std::string Field(int id) { return ControlText(LinkPage(), id); }

  // The two percentage labels and bars agree with signal and quality.
  void ExpectFigures(int signal, int quality) {
    const std::string signalText = std::to_string(signal) + "%";
    const std::string qualityText = std::to_string(quality) + "%";
    EXPECT_EQ(signalText, AwaitText(LinkPage(), IDC_SIGNAL_PERCENT, signalText));
    EXPECT_EQ(qualityText, AwaitText(LinkPage(), IDC_QUALITY_PERCENT, qualityText));
    EXPECT_EQ(std::min(signal, 100), ProgressPosition(LinkPage(), IDC_SIGNAL_BAR));
    EXPECT_EQ(std::min(quality, 100), ProgressPosition(LinkPage(), IDC_QUALITY_BAR));
  }

  // The notification-area image, read from the screen.
  void ExpectTray(UINT image) {
    EXPECT_GE(WaitFor([&] { return ShownTrayImage() == image; }, 2000), 0)
        << "tray image " << image << " expected, " << ShownTrayImage() << " shown";
  }

  // The fields of "no link": everything but MAC and IP emptied.
  void ExpectNoLink(const char* status) {
    EXPECT_EQ(status, AwaitText(LinkPage(), IDC_STATUS, status));
    for (int id : {IDC_SSID, IDC_CHANNEL, IDC_TX_RATE, IDC_CONNECTION_TYPE, IDC_SIGNAL_PERCENT, IDC_QUALITY_PERCENT})
      EXPECT_EQ("", Field(id)) << "control " << id;
    EXPECT_EQ(0, ProgressPosition(LinkPage(), IDC_SIGNAL_BAR));
    EXPECT_EQ(0, ProgressPosition(LinkPage(), IDC_QUALITY_BAR));
    EXPECT_EQ("00:0A:FF:47:10:01", Field(IDC_MAC_ADDRESS)) << "the MAC text stays";
  }
};

TEST_F(Link, AssociatedLinkIsShownInFullAndFollowsTheSignal) {
  const std::string status = LinkStatus("Associated", "tarnel-lab");
  ASSERT_EQ(status, AwaitText(LinkPage(), IDC_STATUS, status));
  EXPECT_EQ("tarnel-lab", Field(IDC_SSID));
  EXPECT_EQ("6", Field(IDC_CHANNEL));
  EXPECT_EQ("11", Field(IDC_TX_RATE)) << "automatic rates: the highest";
  EXPECT_EQ("00:0A:FF:47:10:01", Field(IDC_MAC_ADDRESS));
  EXPECT_EQ("Infrastructure", Field(IDC_CONNECTION_TYPE));
  EXPECT_EQ("", Field(IDC_IP_ADDRESS)) << "no interface of this machine has the adapter's MAC";
  ExpectFigures(82, 64);
  ExpectTray(IDI_TRAY_STRONG);

  // Signal and quality move: the weaker figure picks the tray step.
  Sim().SetSignal(45, 90);
  ExpectFigures(45, 90);
  ExpectTray(IDI_TRAY_MEDIUM);
  Sim().SetSignal(80, 20);
  ExpectFigures(80, 20);
  ExpectTray(IDI_TRAY_WEAK);
  Sim().SetSignal(120, 100);  // a figure past 100 shows as such; its bar stays full
  ExpectFigures(120, 100);
  ExpectTray(IDI_TRAY_STRONG);

  // Left free, the adapter's figures swing a little from tick to tick.
  Sim().UnfreezeSignal();
  std::set<std::string> seen;
  WaitFor(
      [&] {
        seen.insert(Field(IDC_SIGNAL_PERCENT) + "/" + Field(IDC_QUALITY_PERCENT));
        return seen.size() >= 3;
      },
      4000);
  EXPECT_GE(seen.size(), 3u) << "the labels follow a moving signal";
}

TEST_F(Link, OneTickReadsTheAdapterInItsOrder) {
  const std::string status = LinkStatus("Associated", "tarnel-lab");
  ASSERT_EQ(status, AwaitText(LinkPage(), IDC_STATUS, status));
  Sim().SetLogPolling(true);
  Sim().ClearLog();
  const DWORD start = ::GetTickCount();
  WaitFor([&] { return Count(NvCall::NV_GetStatusSignalInfo) >= 3; }, kLinkTickWait);
  const DWORD elapsed = ::GetTickCount() - start;
  Sim().SetLogPolling(false);

  Calls ticks = SettingCalls();
  // The main window's own watch of the configuration mode interleaves; it is not the page's.
  ticks.erase(std::remove(ticks.begin(), ticks.end(), "NV_IsXPConfig()"), ticks.end());
  const Calls oneTick = {"NV_GetIsRadioOff()",      "NV_IsUnplug()", "NV_GetStatusLinkInfo()",
                         "NV_GetMacAddressString()", "NV_GetRates()", "NV_GetStatusChannelInfo()",
                         "NV_GetStatusSignalInfo()"};
  auto first = std::search(ticks.begin(), ticks.end(), oneTick.begin(), oneTick.end());
  ASSERT_NE(ticks.end(), first) << "a whole tick in order";
  EXPECT_TRUE(std::search(first + 1, ticks.end(), oneTick.begin(), oneTick.end()) != ticks.end())
      << "and the next tick alike";
  // Two more ticks after the first tick seen: about 300 ms apart.
  EXPECT_GE(elapsed, 400u);
  EXPECT_LE(elapsed, 1500u);

  // With no link the tick stops after the link state.
  Sim().SetLinkState(NV_LINK_SCANNING);
  ASSERT_EQ("Scanning", AwaitText(LinkPage(), IDC_STATUS, "Scanning"));
  Sim().SetLogPolling(true);
  Sim().ClearLog();
  const uint32_t linkReads = Count(NvCall::NV_GetStatusLinkInfo);
  WaitFor([&] { return Count(NvCall::NV_GetStatusLinkInfo) >= linkReads + 2; }, kLinkTickWait);
  Sim().SetLogPolling(false);
  ticks = SettingCalls();
  EXPECT_EQ(ticks.end(), std::find(ticks.begin(), ticks.end(), "NV_GetStatusSignalInfo()"));
  EXPECT_EQ(ticks.end(), std::find(ticks.begin(), ticks.end(), "NV_GetRates()"));
}

TEST_F(Link, NoLinkAndAdHocStatesEmptyOrRelabelTheFields) {
  ASSERT_EQ("tarnel-lab", AwaitText(LinkPage(), IDC_SSID, "tarnel-lab"));

  Sim().SetLinkState(NV_LINK_SCANNING);
  ExpectNoLink("Scanning");
  ExpectTray(IDI_TRAY_NOLINK);

  Sim().SetLinkState(NV_LINK_NOT_ASSOCIATED);
  ExpectNoLink("Not Associated");

  // An ad hoc cell: the same peer, labelled as such.
  Sim().SetLinkNetworkType(0);
  Sim().SetLinkState(NV_LINK_AD_HOC);
  const std::string adHoc = LinkStatus("Ad-Hoc", "tarnel-lab");
  EXPECT_EQ(adHoc, AwaitText(LinkPage(), IDC_STATUS, adHoc));
  EXPECT_EQ("Ad Hoc", Field(IDC_CONNECTION_TYPE));
  EXPECT_EQ("tarnel-lab", Field(IDC_SSID));
  ExpectFigures(82, 64);
  ExpectTray(IDI_TRAY_STRONG);

  // Searching again and finding the network: associated, in full.
  Sim().Join("tarnel-lab");
  const std::string associated = LinkStatus("Associated", "tarnel-lab");
  EXPECT_EQ(associated, AwaitText(LinkPage(), IDC_STATUS, associated));
  EXPECT_EQ("Infrastructure", Field(IDC_CONNECTION_TYPE));
  EXPECT_EQ("6", Field(IDC_CHANNEL));
}

TEST_F(Link, TheLinkPageTicksWhileAnotherPageIsInFront) {
  ShowPage(PageKind::Encryption);
  EXPECT_FALSE(::IsWindowVisible(LinkPage()));
  Sim().SetSignal(33, 31);
  const uint32_t reads = Count(NvCall::NV_GetStatusSignalInfo);
  EXPECT_GE(WaitFor([&] { return Count(NvCall::NV_GetStatusSignalInfo) >= reads + 2; }, kLinkTickWait), 0);
  EXPECT_EQ("33%", AwaitText(LinkPage(), IDC_SIGNAL_PERCENT, "33%"));

  ShowPage(PageKind::LinkInfo);
  EXPECT_EQ("31%", Field(IDC_QUALITY_PERCENT));
  SaveShot("link-info", Main());
}

}  // namespace
}  // namespace tarnel::test
