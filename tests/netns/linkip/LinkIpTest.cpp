// The link page's IP address lookup against the platform's real adapter list. Runs inside a
// network namespace (scripts/netns-run) holding one interface with a known MAC and address.
#include <cctype>
#include <cstdlib>
#include <string>

#include "HostedMainWindow.h"

namespace tarnel::test {
namespace {

class LinkIpTest : public HostedMainWindow {
 protected:
  void SetUp() override {
    const char* macValue = std::getenv("TARNEL_NETNS_MAC");
    const char* ipValue = std::getenv("TARNEL_NETNS_IP");
    ASSERT_TRUE(macValue && ipValue) << "run through scripts/netns-run";
    mac = macValue;
    ip = ipValue;
    HostedMainWindow::SetUp();
    Associate();
  }
  std::string mac, ip;
};

TEST_F(LinkIpTest, TheAdapterWithTheSameMacTextGivesItsAddressAtTheNextRefresh) {
  driver.SetMacText(mac);
  Tick();
  EXPECT_EQ(ip, Page().m_ipAddress) << "found by the tick's lookup";
  EXPECT_EQ("", Text(IDC_IP_ADDRESS)) << "the lookup itself transfers nothing";
  Tick();
  EXPECT_EQ(ip, Text(IDC_IP_ADDRESS));
}

TEST_F(LinkIpTest, AMacTextThatMatchesNoAdapterKeepsThePreviousAddress) {
  driver.SetMacText("02:0A:FF:10:20:3D");
  Tick();
  Tick();
  EXPECT_EQ("", Text(IDC_IP_ADDRESS)) << "nothing found yet";

  std::string lower = mac;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string& other : {std::string("02:0A:FF:10:20:3D"), lower, std::string()}) {
    driver.SetMacText(other);
    Page().m_ipAddress = "198.51.100.9";  // as if found before
    Tick();
    EXPECT_EQ("198.51.100.9", Page().m_ipAddress) << "MAC text \"" << other << "\" (compared case-sensitively)";
  }
}

}  // namespace
}  // namespace tarnel::test
