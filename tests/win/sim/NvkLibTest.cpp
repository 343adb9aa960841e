// The simulated adapter as the utility sees it: NvkLib.dll loaded by path, steered through SimClient.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "SimAdapter.h"
#include "SimClient.h"
#include "SimDefaults.h"
#include "SimTestSupport.h"

namespace tarnel::sim {
namespace {

constexpr uint8_t kGuard = 0x5A;

class NvkLibTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim_.Open());
    sim_.ResetToDefaults();
    sim_.SetAssociationDelay(0);
    sim_.SetScanDelay(0);
    ASSERT_TRUE(lib_.module.get()) << "NvkLib.dll not loaded from " << test::BinDir();
    ASSERT_EQ("", lib_.missing);
  }
  void TearDown() override { sim_.ResetToDefaults(); }

  struct Link {
    int32_t state = -1;
    int32_t type = -1;
    std::string ssid;
    std::vector<uint8_t> bssid;
    int32_t channel = -1;
    int32_t signal = -1;
    int32_t quality = -1;
  };
  Link ReadLink() {
    Link link;
    char ssid[NV_SSID_BUFFER] = {};
    uint8_t bssid[NV_BSSID_BUFFER] = {};
    nv().NV_GetStatusLinkInfo(&link.state, &link.type, ssid, bssid);
    link.ssid.assign(ssid, strnlen(ssid, sizeof(ssid)));
    link.bssid.assign(bssid, bssid + 6);
    int32_t plan = -1;
    nv().NV_GetStatusChannelInfo(&plan, &link.channel);
    nv().NV_GetStatusSignalInfo(&link.signal, &link.quality);
    return link;
  }
  void Join(int32_t type, const char* ssid) {
    nv().NV_SetNetworkType(type);
    nv().NV_SetSSID(ssid);
    nv().NV_Rescan();
  }
  // A survey into a buffer with guard bytes behind the 13000 the caller owns.
  int32_t Survey(std::vector<uint8_t>* buffer) {
    buffer->assign(NV_SURVEY_BUFFER + 64, kGuard);
    std::memset(buffer->data(), 0, NV_SURVEY_BUFFER);
    return nv().NV_SiteSurvey(buffer->data());
  }
  const NvFunctions& nv() const { return lib_.nv; }

  SimClient sim_;
  test::NvkLib lib_;
};

bool GuardIntact(const std::vector<uint8_t>& buffer, size_t from) {
  for (size_t i = from; i < buffer.size(); ++i) {
    if (buffer[i] != kGuard) return false;
  }
  return true;
}

TEST_F(NvkLibTest, SurveyRecordsLieBackToBackAtTheDocumentedOffsets) {
  sim_.ClearNetworks();
  SiteSurveyEntry first = MakeNetwork("abc", 0, 13, 77, true);
  const uint8_t bssid[6] = {1, 2, 3, 4, 5, 6};
  std::memcpy(first.bssid, bssid, 6);
  const uint8_t rates[8] = {0x82, 0x84, 0x0B, 0x16, 0x0C, 0x12, 0x18, 0x24};
  std::memcpy(first.rates, rates, 8);
  ASSERT_TRUE(sim_.AddNetwork(first));
  ASSERT_TRUE(sim_.AddNetwork(MakeNetwork("second", 1, 2, 9, false)));

  std::vector<uint8_t> b;
  ASSERT_EQ(2, Survey(&b));
  EXPECT_EQ(0, b[0]);
  EXPECT_EQ(0, std::memcmp(&b[1], "abc\0", 4));
  EXPECT_EQ(0, std::memcmp(&b[33], bssid, 6));
  EXPECT_EQ(77, b[39]);
  EXPECT_EQ(13, b[40]);
  EXPECT_NE(0, b[41]);
  EXPECT_EQ(0, std::memcmp(&b[42], rates, 8));
  EXPECT_EQ(1, b[50]);
  EXPECT_EQ(0, std::memcmp(&b[51], "second\0", 7));
  EXPECT_EQ(2, b[50 + 40]);
  EXPECT_EQ(0, b[50 + 41]);
  EXPECT_EQ(0, b[100]) << "nothing written past the second record";
}

TEST_F(NvkLibTest, SurveyWritesAtMost260RecordsWhateverCountItReports) {
  sim_.ClearNetworks();
  char name[16];
  for (int i = 0; i < NV_SURVEY_MAX_ENTRIES; ++i) {
    std::snprintf(name, sizeof(name), "net%03d", i);
    ASSERT_TRUE(sim_.AddNetwork(MakeNetwork(name, 1, 1 + i % 11, 50, false)));
  }
  EXPECT_FALSE(sim_.AddNetwork(MakeNetwork("one-too-many", 1, 1, 50, false)));

  std::vector<uint8_t> b;
  EXPECT_EQ(NV_SURVEY_MAX_ENTRIES, Survey(&b));
  EXPECT_STREQ("net259", reinterpret_cast<const char*>(&b[259 * NV_SURVEY_ENTRY_SIZE + 1]));
  EXPECT_TRUE(GuardIntact(b, NV_SURVEY_BUFFER));

  sim_.ForceSurveyCount(300);
  EXPECT_EQ(300, Survey(&b));
  EXPECT_TRUE(GuardIntact(b, NV_SURVEY_BUFFER));
  sim_.UnforceSurveyCount();
  EXPECT_EQ(NV_SURVEY_MAX_ENTRIES, Survey(&b));
}

TEST_F(NvkLibTest, SurveySsidsFullSwitchLeavesNoTerminatorInTheName) {
  sim_.SetSurveySsidsFull(true);
  std::vector<uint8_t> b;
  const int32_t count = Survey(&b);
  ASSERT_GT(count, 1);
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t* ssid = &b[i * NV_SURVEY_ENTRY_SIZE + 1];
    EXPECT_EQ(nullptr, std::memchr(ssid, 0, 32)) << "record " << i;
  }
  EXPECT_EQ(0, std::memcmp(&b[1], "tarnel-lab", 10));
}

TEST_F(NvkLibTest, SurveyTakesTheConfiguredScanTime) {
  sim_.SetScanDelay(250);
  std::vector<uint8_t> b;
  const DWORD start = GetTickCount();
  Survey(&b);
  EXPECT_GE(GetTickCount() - start, 230u);
}

TEST_F(NvkLibTest, RescanJoinsTheNamedNetworkWithItsRecord) {
  struct Case {
    int32_t setType;
    const char* ssid;
    int32_t state;
    int32_t type;
  };
  const Case cases[] = {{1, "Harbour-Office", NV_LINK_ASSOCIATED, 1},
                        {0, "meshroom", NV_LINK_AD_HOC, 0},
                        {0, "Cafe_Guest", NV_LINK_ASSOCIATED, 1}};  // the network's type wins
  const SimState s = sim_.Snapshot();
  for (const Case& c : cases) {
    const SiteSurveyEntry* record = nullptr;
    for (int i = 0; i < s.networkCount; ++i) {
      if (std::strcmp(s.networks[i].ssid, c.ssid) == 0) record = &s.networks[i];
    }
    ASSERT_NE(nullptr, record) << c.ssid;
    Join(c.setType, c.ssid);
    const Link link = ReadLink();
    EXPECT_EQ(c.state, link.state) << c.ssid;
    EXPECT_EQ(c.type, link.type) << c.ssid;
    EXPECT_EQ(c.ssid, link.ssid);
    EXPECT_EQ(std::vector<uint8_t>(record->bssid, record->bssid + 6), link.bssid) << c.ssid;
    EXPECT_EQ(record->channel, link.channel) << c.ssid;
    EXPECT_GT(link.signal, 0) << c.ssid;
  }
}

TEST_F(NvkLibTest, RescanKeepsScanningUntilTheNetworkComesInRange) {
  Join(1, "nowhere");
  for (int i = 0; i < 2; ++i) {
    const Link link = ReadLink();
    EXPECT_EQ(NV_LINK_SCANNING, link.state);
    EXPECT_EQ("", link.ssid);
    EXPECT_EQ(0, link.signal);
    EXPECT_EQ(0, link.quality);
  }
  ASSERT_TRUE(sim_.AddNetwork(MakeNetwork("nowhere", 1, 4, 60, false)));
  const Link link = ReadLink();
  EXPECT_EQ(NV_LINK_ASSOCIATED, link.state);
  EXPECT_EQ("nowhere", link.ssid);
  EXPECT_EQ(4, link.channel);
}

// A driver that keeps looking: losing the link's network scans until that network is back,
// another network coming into range changes nothing, and a join still goes where it is told.
TEST_F(NvkLibTest, LinkLostWithItsNetworkComesBackWithIt) {
  std::vector<uint8_t> b;
  const int32_t inRange = Survey(&b);
  EXPECT_EQ(1, sim_.RemoveNetwork("Cafe_Guest"));
  EXPECT_EQ(0, sim_.RemoveNetwork("Cafe_Guest"));
  EXPECT_EQ(NV_LINK_ASSOCIATED, ReadLink().state) << "another network went";

  EXPECT_EQ(1, sim_.RemoveNetwork("tarnel-lab"));
  EXPECT_EQ(inRange - 2, Survey(&b));
  ASSERT_TRUE(sim_.AddNetwork(MakeNetwork("Office", 1, 11, 60, false)));
  Link link = ReadLink();
  EXPECT_EQ(NV_LINK_SCANNING, link.state);
  EXPECT_EQ("", link.ssid);
  EXPECT_EQ(std::vector<uint8_t>(6, 0), link.bssid);
  EXPECT_EQ(0, link.signal);
  EXPECT_EQ(0, link.quality);

  sim_.SetAssociationDelay(300);
  ASSERT_TRUE(sim_.AddNetwork(MakeNetwork("tarnel-lab", 1, 6, 78, false)));
  EXPECT_EQ(NV_LINK_SCANNING, ReadLink().state) << "associating takes its time";
  Sleep(450);
  link = ReadLink();
  EXPECT_EQ(NV_LINK_ASSOCIATED, link.state);
  EXPECT_EQ("tarnel-lab", link.ssid);
  EXPECT_EQ(6, link.channel);
  EXPECT_GT(link.signal, 0);

  sim_.SetAssociationDelay(0);
  Join(1, "Office");
  EXPECT_EQ("Office", ReadLink().ssid);
  EXPECT_EQ(1, sim_.RemoveNetwork("tarnel-lab"));
  EXPECT_EQ(NV_LINK_ASSOCIATED, ReadLink().state) << "the network left behind went";
}

TEST_F(NvkLibTest, SetSsidTakesEffectOnlyWithRescan) {
  nv().NV_SetSSID("Harbour-Office");
  EXPECT_EQ("tarnel-lab", ReadLink().ssid);
  nv().NV_Rescan();
  EXPECT_EQ("Harbour-Office", ReadLink().ssid);
}

TEST_F(NvkLibTest, AssociationCompletesAfterTheConfiguredDelay) {
  sim_.SetAssociationDelay(300);
  Join(1, "Harbour-Office");
  EXPECT_EQ(NV_LINK_SCANNING, ReadLink().state);
  Sleep(450);
  EXPECT_EQ(NV_LINK_ASSOCIATED, ReadLink().state);
}

TEST_F(NvkLibTest, RadioOffReadsNotAssociatedAndRejoinsWhenBackOn) {
  nv().NV_SetRadioOff(1);
  EXPECT_NE(0, nv().NV_GetIsRadioOff());
  Link link = ReadLink();
  EXPECT_EQ(NV_LINK_NOT_ASSOCIATED, link.state);
  EXPECT_EQ(0, link.signal);
  nv().NV_Rescan();  // ignored while off
  EXPECT_EQ(NV_LINK_NOT_ASSOCIATED, ReadLink().state);

  nv().NV_SetRadioOff(0);
  EXPECT_EQ(0, nv().NV_GetIsRadioOff());
  link = ReadLink();
  EXPECT_EQ(NV_LINK_ASSOCIATED, link.state);
  EXPECT_EQ("tarnel-lab", link.ssid);

  sim_.SetRadioOff(true);  // from outside, as the control tool does
  EXPECT_EQ(NV_LINK_NOT_ASSOCIATED, ReadLink().state);
  sim_.SetRadioOff(false);
  EXPECT_EQ(NV_LINK_ASSOCIATED, ReadLink().state);
}

TEST_F(NvkLibTest, FrozenSignalIsReportedExactly) {
  sim_.SetSignal(37, 81);
  for (int i = 0; i < 3; ++i) {
    const Link link = ReadLink();
    EXPECT_EQ(37, link.signal);
    EXPECT_EQ(81, link.quality);
  }
  sim_.SetLinkState(NV_LINK_SCANNING);
  EXPECT_EQ(37, ReadLink().signal) << "frozen figures hold in every link state";
}

// The figures must move, but smoothly: a jumpy signal would flicker the tray icon's steps.
TEST_F(NvkLibTest, MovingSignalStaysInRangeAndChangesGradually) {
  SimState state = sim_.Snapshot();
  std::set<int32_t> seen;
  int32_t lastSignal = -1;
  int32_t lastQuality = -1;
  for (uint32_t i = 0, now = 0xFFFF0000u; i < 500; ++i, now += 300) {  // also across the wrap
    int32_t signal = -1;
    int32_t quality = -1;
    SimAdapter(state, now).Signal(&signal, &quality);
    ASSERT_GE(signal, 0);
    ASSERT_LE(signal, 100);
    ASSERT_GE(quality, 0);
    ASSERT_LE(quality, 100);
    if (lastSignal >= 0) {
      EXPECT_LE(std::abs(signal - lastSignal), 5) << "at " << now;
      EXPECT_LE(std::abs(quality - lastQuality), 5) << "at " << now;
    }
    lastSignal = signal;
    lastQuality = quality;
    seen.insert(signal);
  }
  EXPECT_GE(seen.size(), 10u);
}

TEST_F(NvkLibTest, RatesFollowTheLastSetRates) {
  struct Case {
    NvFlag autoFlag;
    int32_t set[4];
    int32_t expected[4];
  };
  const Case cases[] = {{0, {2, 1, 0, 0}, {1, 1, 0, 0}},
                        {0, {0, 0, 0, 2}, {0, 0, 0, 1}},
                        {1, {0, 0, 0, 0}, {1, 1, 1, 1}}};
  for (const Case& c : cases) {
    nv().NV_SetRates(c.autoFlag, c.set[0], c.set[1], c.set[2], c.set[3]);
    int32_t autoFlag = -1;
    int32_t got[4] = {-1, -1, -1, -1};
    nv().NV_GetRates(&autoFlag, &got[0], &got[1], &got[2], &got[3]);
    EXPECT_EQ(c.autoFlag, autoFlag);
    EXPECT_EQ(0, std::memcmp(c.expected, got, sizeof(got)))
        << got[0] << got[1] << got[2] << got[3];
  }
}

TEST_F(NvkLibTest, TextsAreTerminatedAndFollowTheState) {
  char mac[NV_MAC_TEXT_BUFFER] = {};
  nv().NV_GetMacAddressString(mac);
  ASSERT_EQ(17u, strnlen(mac, sizeof(mac)));
  for (int i = 0; i < 17; ++i) {
    if (i % 3 == 2) {
      EXPECT_EQ(':', mac[i]) << mac;
    } else {
      EXPECT_TRUE(std::isdigit(mac[i]) || (mac[i] >= 'A' && mac[i] <= 'F')) << mac;
    }
  }
  char driver[NV_DRIVER_INFO_BUFFER] = {};
  int32_t unused = 0;
  nv().NV_GetStatusDriverInfo(driver, &unused);
  EXPECT_STREQ("NVK4710 Driver 2.1.0.12", driver);

  sim_.SetMacText("01:02:03:0A:0B:0C");
  sim_.SetDriverText("Driver 9");
  sim_.SetChannelPlan(6);
  nv().NV_GetMacAddressString(mac);
  nv().NV_GetStatusDriverInfo(driver, &unused);
  EXPECT_STREQ("01:02:03:0A:0B:0C", mac);
  EXPECT_STREQ("Driver 9", driver);
  int32_t plan = -1;
  int32_t channel = -1;
  nv().NV_GetStatusChannelInfo(&plan, &channel);
  EXPECT_EQ(6, plan);
}

TEST_F(NvkLibTest, FlagsFollowTheState) {
  EXPECT_EQ(1, nv().NV_Initialize(0));
  EXPECT_EQ(0, nv().NV_IsUnplug());
  EXPECT_EQ(0, nv().NV_IsXPConfig());
  sim_.SetInitializeAnswer(false);
  sim_.SetUnplugged(true);
  sim_.SetXpConfig(true);
  EXPECT_EQ(0, nv().NV_Initialize(0));
  EXPECT_NE(0, nv().NV_IsUnplug());
  EXPECT_NE(0, nv().NV_IsXPConfig());
}

TEST_F(NvkLibTest, SettingCallsAreKeptInTheState) {
  const uint8_t key[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  nv().NV_SetChannel(9);
  nv().NV_SetPowerSaveMode(2);
  nv().NV_SetPrivacy(1, 128);
  nv().NV_SetAuthenticaionMode(2);
  nv().NV_SetDefaultKeyID(3);
  nv().NV_SetWEPKey(3, 13, key);
  nv().NV_SetWEPKey(1, 5, nullptr);
  nv().NV_SetSSID(nullptr);
  const SimState s = sim_.Snapshot();
  EXPECT_EQ(9, s.setChannel);
  EXPECT_EQ(2, s.powerSaveMode);
  EXPECT_EQ(1, s.privacyMode);
  EXPECT_EQ(128, s.privacyKeyBits);
  EXPECT_EQ(2, s.authenticationMode);
  EXPECT_EQ(3, s.defaultKeyId);
  EXPECT_EQ(1, s.wepKeySet[3]);
  EXPECT_EQ(13, s.wepKeyLength[3]);
  EXPECT_EQ(0, std::memcmp(key, s.wepKeys[3], 13));
  EXPECT_EQ(0, s.wepKeySet[1]);
  EXPECT_EQ(5, s.wepKeyLength[1]);
  EXPECT_STREQ("tarnel-lab", s.setSsid) << "a null name changes nothing";
}

TEST_F(NvkLibTest, LogRecordsSettingCallsInOrderAndCountsPolling) {
  sim_.ClearLog();
  const uint8_t key[5] = {0x0a, 0x1b, 0x2c, 0x3d, 0x4e};
  nv().NV_Initialize(0);
  nv().NV_SetPrivacy(1, 64);
  nv().NV_SetWEPKey(0, 5, key);
  nv().NV_SetWEPKey(1, 5, nullptr);
  ReadLink();  // polling: counted, not logged
  nv().NV_SetSSID("odd\\name\x01");
  nv().NV_SetRates(1, 0, 0, 0, 0);
  nv().NV_Rescan();
  nv().NV_Stop();
  const std::vector<std::string> expected = {
      "NV_Initialize(0)",         "NV_SetPrivacy(1,64)",     "NV_SetWEPKey(0,5,0a1b2c3d4e)",
      "NV_SetWEPKey(1,5,null)",   "NV_SetSSID(odd\\x5cname\\x01)", "NV_SetRates(1,0,0,0,0)",
      "NV_Rescan()",              "NV_Stop()"};
  EXPECT_EQ(expected, sim_.ReadLog());
  const std::vector<SimLogLine> lines = sim_.ReadLogLines();
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i - 1].seq + 1, lines[i].seq);
  EXPECT_EQ(1u, sim_.CallCount(NvCall::NV_GetStatusLinkInfo));
  EXPECT_EQ(1u, sim_.CallCount(NvCall::NV_GetStatusSignalInfo));

  sim_.SetLogPolling(true);
  sim_.ClearLog();
  nv().NV_IsUnplug();
  nv().NV_GetStatusSignalInfo(nullptr, nullptr);
  EXPECT_EQ(std::vector<std::string>({"NV_IsUnplug()", "NV_GetStatusSignalInfo()"}), sim_.ReadLog());
}

TEST_F(NvkLibTest, LogKeepsTheNewestLinesWhenFull) {
  sim_.ClearLog();
  for (int i = 0; i < kLogCapacity + 44; ++i) nv().NV_SetChannel(i);
  const std::vector<SimLogLine> lines = sim_.ReadLogLines();
  ASSERT_EQ(static_cast<size_t>(kLogCapacity), lines.size());
  EXPECT_EQ("NV_SetChannel(44)", lines.front().text);
  EXPECT_EQ("NV_SetChannel(299)", lines.back().text);
  EXPECT_EQ(lines.front().seq + kLogCapacity - 1, lines.back().seq);

  sim_.ClearLog();
  EXPECT_TRUE(sim_.ReadLog().empty());
  nv().NV_Rescan();
  const std::vector<SimLogLine> after = sim_.ReadLogLines();
  ASSERT_EQ(1u, after.size());
  EXPECT_EQ(lines.back().seq + 1, after[0].seq) << "sequence numbers keep running";
}

TEST_F(NvkLibTest, InitializeAndStopAreCounted) {
  for (int i = 0; i < 2; ++i) nv().NV_Initialize(0);
  for (int i = 0; i < 3; ++i) nv().NV_Stop();
  EXPECT_EQ(2u, sim_.CallCount(NvCall::NV_Initialize));
  EXPECT_EQ(3u, sim_.CallCount(NvCall::NV_Stop));
  sim_.ResetCounters();
  EXPECT_EQ(0u, sim_.CallCount(NvCall::NV_Stop));
}

// Each switch fills the caller's whole buffer without a terminator, and not one byte more.
TEST_F(NvkLibTest, UnterminatedTextSwitchesFillExactlyTheCallersBuffer) {
  struct Case {
    const char* what;
    void (SimClient::*on)(bool);
    size_t size;
    std::string (*read)(const NvFunctions&, std::vector<char>*);
  };
  const Case cases[] = {
      {"ssid", &SimClient::SetSsidUnterminated, NV_SSID_BUFFER,
       [](const NvFunctions& nv, std::vector<char>* b) {
         int32_t state, type;
         uint8_t bssid[NV_BSSID_BUFFER];
         nv.NV_GetStatusLinkInfo(&state, &type, b->data(), bssid);
         return std::string("tarnel-lab");
       }},
      {"mac", &SimClient::SetMacUnterminated, NV_MAC_TEXT_BUFFER,
       [](const NvFunctions& nv, std::vector<char>* b) {
         nv.NV_GetMacAddressString(b->data());
         return std::string("00:0A:FF:47:10:01");
       }},
      {"driver", &SimClient::SetDriverTextUnterminated, NV_DRIVER_INFO_BUFFER,
       [](const NvFunctions& nv, std::vector<char>* b) {
         int32_t unused;
         nv.NV_GetStatusDriverInfo(b->data(), &unused);
         return std::string("NVK4710 Driver 2.1.0.12");
       }},
  };
  for (const Case& c : cases) {
    for (bool on : {false, true}) {
      (sim_.*c.on)(on);
      std::vector<char> buffer(c.size + 16, static_cast<char>(kGuard));
      std::memset(buffer.data(), 0, c.size);
      const std::string text = c.read(nv(), &buffer);
      EXPECT_EQ(0, std::memcmp(buffer.data(), text.data(), text.size())) << c.what;
      EXPECT_EQ(on, std::memchr(buffer.data(), 0, c.size) == nullptr) << c.what << " " << on;
      for (size_t i = c.size; i < buffer.size(); ++i) {
        ASSERT_EQ(static_cast<char>(kGuard), buffer[i]) << c.what << " wrote past its buffer";
      }
    }
  }
}

TEST_F(NvkLibTest, LinkStatesOutsideTheRangeAreReportedAsGiven) {
  for (int32_t state : {7, -1, 4}) {
    sim_.SetLinkState(state);
    EXPECT_EQ(state, ReadLink().state);
  }
}

}  // namespace
}  // namespace tarnel::sim
