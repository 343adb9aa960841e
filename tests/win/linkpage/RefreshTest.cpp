// What one poll of the link information page reads and shows, for each link state.
#include <string>

#include "HostedMainWindow.h"

namespace tarnel::test {
namespace {

using LinkTest = HostedMainWindow;

TEST_F(LinkTest, AssociatedFillsEveryFieldInTheLibrarysOrder) {
  Associate(57, 80);
  driver.rates = {0, 1, 1, 0, 0};
  Tick();
  EXPECT_EQ((Calls{"NV_GetIsRadioOff()", "NV_IsUnplug()", "NV_GetStatusLinkInfo()", "NV_GetMacAddressString()",
                   "NV_GetRates()", "NV_GetStatusChannelInfo()", "NV_GetStatusSignalInfo()"}),
            driver.Calls());
  EXPECT_EQ("Associated --- 00:0A:1B:2C:3D:4E", Text(IDC_STATUS));
  EXPECT_EQ("HomeNet", Text(IDC_SSID));
  EXPECT_EQ("6", Text(IDC_CHANNEL));
  EXPECT_EQ("2", Text(IDC_TX_RATE));
  EXPECT_EQ("02:0A:FF:10:20:3C", Text(IDC_MAC_ADDRESS));
  EXPECT_EQ("Infrastructure", Text(IDC_CONNECTION_TYPE));
  EXPECT_EQ(80, BarPos(IDC_QUALITY_BAR));
  EXPECT_EQ(57, BarPos(IDC_SIGNAL_BAR));
  EXPECT_EQ("80%", Text(IDC_QUALITY_PERCENT));
  EXPECT_EQ("57%", Text(IDC_SIGNAL_PERCENT));
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(PageWindow(), IDC_SIGNAL_PERCENT)));
  EXPECT_EQ(std::vector<WPARAM>{57u << 16 | 80u}, TakeLinkStatus());

  // The same reading, handed to the main window, without a second call to the library.
  const LinkReading& r = Page().LastReading();
  EXPECT_TRUE(r.linked && r.infrastructure && r.adapterPresent && !r.radioOff);
  EXPECT_EQ("HomeNet", r.ssid);
  EXPECT_EQ("00:0A:1B:2C:3D:4E", r.bssid);
  EXPECT_EQ(6, r.channel);
  EXPECT_EQ(57, r.signal);
  EXPECT_EQ(80, r.quality);
}

TEST_F(LinkTest, AdHocShowsThePeerOnceAndTheSpacedConnectionType) {
  Associate();
  driver.linkState = NV_LINK_AD_HOC;
  driver.networkType = 0;
  Tick();
  Tick();
  EXPECT_EQ("Ad-Hoc --- 00:0A:1B:2C:3D:4E", Text(IDC_STATUS));
  EXPECT_EQ("Ad Hoc", Text(IDC_CONNECTION_TYPE));
}

TEST_F(LinkTest, ScanningAndNotAssociatedClearTheLinkButKeepTheAddresses) {
  for (int32_t state : {NV_LINK_SCANNING, NV_LINK_NOT_ASSOCIATED}) {
    Associate();
    Tick();
    Page().m_ipAddress = "192.0.2.77";  // as a lookup would have found it
    Tick();
    TakeLinkStatus();
    driver.ClearCalls();

    driver.linkState = state;
    Tick();
    EXPECT_EQ(state == NV_LINK_SCANNING ? "Scanning" : "Not Associated", Text(IDC_STATUS));
    for (int id : {IDC_SSID, IDC_TX_RATE, IDC_CONNECTION_TYPE, IDC_CHANNEL, IDC_QUALITY_PERCENT, IDC_SIGNAL_PERCENT})
      EXPECT_EQ("", Text(id)) << id;
    EXPECT_EQ(6, Page().m_channel) << "the channel field is emptied, not the value";
    EXPECT_EQ("02:0A:FF:10:20:3C", Text(IDC_MAC_ADDRESS));
    EXPECT_EQ("192.0.2.77", Text(IDC_IP_ADDRESS));
    EXPECT_EQ(0, BarPos(IDC_QUALITY_BAR));
    EXPECT_EQ(0, BarPos(IDC_SIGNAL_BAR));
    EXPECT_EQ(std::vector<WPARAM>{0}, TakeLinkStatus());
    EXPECT_EQ((Calls{"NV_GetIsRadioOff()", "NV_IsUnplug()", "NV_GetStatusLinkInfo()"}), driver.Calls());
  }
}

TEST_F(LinkTest, NoRateFlagKeepsThePreviousRate) {
  Associate();
  driver.rates = {0, 0, 1, 0, 1};  // automatic, 1, 2, 5.5, 11
  Tick();
  EXPECT_EQ("11", Text(IDC_TX_RATE));
  driver.rates = {1, 0, 0, 0, 0};  // the automatic flag names no rate
  Tick();
  EXPECT_EQ("11", Text(IDC_TX_RATE));
}

TEST_F(LinkTest, FiguresReachTheReportAsTheyAreAndTheBarsClamped) {
  Associate(100, 0);
  Tick();
  EXPECT_EQ(std::vector<WPARAM>{0x640000}, TakeLinkStatus());
  EXPECT_EQ("100%", Text(IDC_SIGNAL_PERCENT));
  EXPECT_EQ("0%", Text(IDC_QUALITY_PERCENT));

  Associate(30, 120);
  Tick();
  EXPECT_EQ(std::vector<WPARAM>{30u << 16 | 120u}, TakeLinkStatus());
  EXPECT_EQ("120%", Text(IDC_QUALITY_PERCENT));
  EXPECT_EQ(100, BarPos(IDC_QUALITY_BAR));
}

// The library writes its buffers whole; a name or MAC text that fills them has no terminator.
TEST_F(LinkTest, UnterminatedNameAndMacTextStayWithinTheirBuffers) {
  Associate();
  driver.ssid.fill('S');
  driver.macText.fill('M');
  Tick();
  EXPECT_EQ(std::string(NV_SSID_BUFFER, 'S'), Text(IDC_SSID));
  EXPECT_EQ(std::string(NV_MAC_TEXT_BUFFER, 'M'), Text(IDC_MAC_ADDRESS));
}

TEST_F(LinkTest, AnUndefinedLinkStateShowsAFixedTextThatDoesNotGrow) {
  Associate();
  driver.linkState = 4;
  for (int i = 0; i < 3; ++i) {
    Tick();
    EXPECT_EQ("Unknown --- 00:0A:1B:2C:3D:4E", Text(IDC_STATUS)) << "tick " << i;
  }
}

}  // namespace
}  // namespace tarnel::test
