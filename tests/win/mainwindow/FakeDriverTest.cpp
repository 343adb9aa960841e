// The scripted driver every page test relies on: what it logs, what it writes into the
// caller's buffers, and that it gives the safe table back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FakeDriver.h"
#include "adapter/NvLibrary.h"

namespace tarnel::test {
namespace {

using Calls = std::vector<std::string>;

TEST(FakeDriver, LogsSettingsWithTheirArgumentsInOrder) {
  FakeDriver driver;
  const uint8_t key[13] = {0x0a, 0x1b, 0x2c, 0x3d, 0x4e};
  Nv().NV_Initialize(0);
  Nv().NV_SetNetworkType(1);
  Nv().NV_SetSSID("Home Net");
  Nv().NV_SetRates(0, 2, 2, 0, 0);
  Nv().NV_GetIsRadioOff();
  Nv().NV_SetPrivacy(1, 64);
  Nv().NV_SetWEPKey(0, 5, key);
  Nv().NV_SetWEPKey(1, 5, nullptr);
  Nv().NV_IsUnplug();
  Nv().NV_Stop();
  const Calls settings = {"NV_Initialize(0)",   "NV_SetNetworkType(1)",         "NV_SetSSID(Home Net)",
                          "NV_SetRates(0,2,2,0,0)", "NV_SetPrivacy(1,64)",      "NV_SetWEPKey(0,5,0a1b2c3d4e)",
                          "NV_SetWEPKey(1,5,null)", "NV_Stop()"};
  EXPECT_EQ(settings, driver.NonPollingCalls());
  EXPECT_EQ(10u, driver.Calls().size());
  EXPECT_EQ("NV_GetIsRadioOff()", driver.Calls()[4]);
  driver.ClearCalls();
  EXPECT_EQ(Calls{}, driver.Calls());
}

TEST(FakeDriver, FillsBuffersFromTheScriptWithoutAddingTerminators) {
  FakeDriver driver;
  driver.SetSsid(std::string(40, 'S'));  // cut to 36 bytes, no terminator
  driver.bssid = {0x00, 0x0A, 0xFF, 0x10, 0x20, 0x3C};
  int32_t state = -1, type = -1;
  char ssid[NV_SSID_BUFFER + 1];
  uint8_t bssid[NV_BSSID_BUFFER];
  std::memset(ssid, 'x', sizeof(ssid));
  std::memset(bssid, 0x77, sizeof(bssid));
  Nv().NV_GetStatusLinkInfo(&state, &type, ssid, bssid);
  EXPECT_EQ(NV_LINK_NOT_ASSOCIATED, state);
  EXPECT_EQ(1, type);
  EXPECT_EQ(std::string(NV_SSID_BUFFER, 'S'), std::string(ssid, NV_SSID_BUFFER));
  EXPECT_EQ('x', ssid[NV_SSID_BUFFER]) << "nothing past the caller's 36 bytes";
  EXPECT_EQ(0x3C, bssid[5]);
  EXPECT_EQ(0x77, bssid[6]) << "only six BSSID bytes are written";

  // The survey writes at most 260 records but answers the scripted count.
  driver.survey.resize(NV_SURVEY_MAX_ENTRIES + 5);
  driver.survey.back().channel = 99;
  driver.surveyCount = 300;
  std::vector<uint8_t> buffer(NV_SURVEY_BUFFER + 50, 0xEE);
  EXPECT_EQ(300, Nv().NV_SiteSurvey(buffer.data()));
  EXPECT_EQ(0, buffer[NV_SURVEY_BUFFER - 1]);
  EXPECT_EQ(0xEE, buffer[NV_SURVEY_BUFFER]);
}

TEST(FakeDriver, AnswersChangeBetweenCallsAndTheSafeTableReturnsAfterwards) {
  {
    FakeDriver driver;
    int xpCalls = 0;
    driver.onCall = [&](const std::string& call) {
      if (call == "NV_IsXPConfig()") driver.xpConfig = ++xpCalls == 2;
    };
    EXPECT_EQ(0, Nv().NV_IsXPConfig());
    EXPECT_EQ(1, Nv().NV_IsXPConfig());
    EXPECT_EQ(0, Nv().NV_IsXPConfig());
  }
  EXPECT_EQ(0, Nv().NV_Initialize(0)) << "the safe table answers \"not usable\"";
  EXPECT_EQ(nullptr, FakeDriver::Current());
}

}  // namespace
}  // namespace tarnel::test
