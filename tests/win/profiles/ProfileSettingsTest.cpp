// Loading and saving the settings and WEP values of a profile, and the current-profile record.
#include <cstring>
#include <string>

#include "StoreTestSupport.h"
#include "profiles/ProfileStore.h"
#include "profiles/StoreWatch.h"

namespace tarnel::test {
namespace {

struct Settings {
  char ssid[kSsidBufferSize];
  int32_t netMode, channel, txRate, powerMode;
};

Settings Preset() {
  Settings s;
  std::memset(s.ssid, 'x', sizeof(s.ssid));
  s.netMode = s.channel = s.txRate = s.powerMode = 77;
  return s;
}

Settings Load(const char* name) {
  Settings s = Preset();
  LoadProfileSettings(name, s.ssid, &s.netMode, &s.channel, &s.txRate, &s.powerMode);
  return s;
}

struct Encryption {
  int32_t wep = 77, keyIndex = 77;
  std::string key[4] = {"k1", "k2", "k3", "k4"};
  std::string passphrase = "pp";
};

Encryption LoadEncryption(const char* name) {
  Encryption e;
  LoadProfileEncryption(name, &e.wep, &e.keyIndex, &e.key[0], &e.key[1], &e.key[2], &e.key[3],
                        &e.passphrase);
  return e;
}

std::string CurrentProfile(const char* preset) {
  char buffer[kProfileNameBufferSize] = {};
  std::strcpy(buffer, preset);
  GetCurrentProfile(buffer);
  return buffer;
}

bool AllZero(const char* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

TEST_F(StoreTest, FreshRegistryGivesTheDefaultsAndCreatesEmptyKeys) {
  EXPECT_EQ("Default", CurrentProfile("Mine"));  // no record: "Default", not the caller's name

  ProfileNameList = {"stale"};
  LoadProfileList();
  EXPECT_TRUE(ProfileNameList.empty());
  EXPECT_TRUE(OpenRaw("ProfileList").IsOpen());

  const Settings s = Load("Default");
  EXPECT_TRUE(AllZero(s.ssid, sizeof(s.ssid)));
  EXPECT_EQ(1, s.netMode);
  EXPECT_EQ(1, s.channel);
  EXPECT_EQ(0, s.txRate);
  EXPECT_EQ(0, s.powerMode);
  EXPECT_TRUE(OpenRaw("Default").IsOpen());

  const Encryption e = LoadEncryption("Default");
  EXPECT_EQ(-1, e.wep);
  EXPECT_EQ(1, e.keyIndex);
  for (const std::string& key : e.key) EXPECT_EQ("", key);
  EXPECT_EQ("", e.passphrase);
}

TEST_F(StoreTest, SavedValuesReadBackWithTheirStoredTypes) {
  SaveProfileSettings("Home", "HomeNet", 0, -1, 4, 2);
  const Settings s = Load("Home");
  EXPECT_STREQ("HomeNet", s.ssid);
  EXPECT_EQ(0, s.netMode);
  EXPECT_EQ(-1, s.channel);  // a list with nothing selected stores -1
  EXPECT_EQ(4, s.txRate);
  EXPECT_EQ(2, s.powerMode);

  SaveProfileEncryption("Home", 3, 2, "0123456789", "", "abcde", "K4", "secret words");
  const Encryption e = LoadEncryption("Home");
  EXPECT_EQ(3, e.wep);
  EXPECT_EQ(2, e.keyIndex);
  EXPECT_EQ("0123456789", e.key[0]);
  EXPECT_EQ("", e.key[1]);
  EXPECT_EQ("abcde", e.key[2]);
  EXPECT_EQ("K4", e.key[3]);
  EXPECT_EQ("secret words", e.passphrase);

  RegKey home = OpenRaw("Home");
  DWORD type = 0, size = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(home.Get(), "SSID", nullptr, &type, nullptr, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(8u, size);  // text and terminator
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(home.Get(), "WEP", nullptr, &type, nullptr, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(4u, size);
}

TEST_F(StoreTest, ProfileNamesIgnoreLetterCase) {
  SaveProfileSettings("Home", "HomeNet", 0, 6, 0, 0);
  EXPECT_STREQ("HomeNet", Load("HOME").ssid);
}

TEST_F(StoreTest, TextsThatDoNotFitWithTheirTerminatorReadAsEmpty) {
  const std::string ssid32(32, 's'), ssid33(33, 's');
  WriteRaw("P", "SSID", REG_BINARY, ssid33.c_str(), 33);  // 33 bytes, no terminator
  EXPECT_TRUE(AllZero(Load("P").ssid, kSsidBufferSize));
  WriteRaw("P", "SSID", REG_SZ, ssid33.c_str(), 34);  // more than 33 bytes
  EXPECT_TRUE(AllZero(Load("P").ssid, kSsidBufferSize));
  WriteRaw("P", "SSID", REG_SZ, ssid32.c_str(), 33);  // 32 characters fit exactly
  EXPECT_EQ(ssid32, Load("P").ssid);

  const std::string text259(259, 'k'), text260(260, 'k');
  WriteRaw("P", "KEY1", REG_BINARY, text260.c_str(), 260);  // fills the buffer, no terminator
  WriteRaw("P", "KEY2", REG_SZ, text260.c_str(), 261);      // too large
  WriteRaw("P", "KEY3", REG_SZ, text259.c_str(), 260);      // fits exactly
  WriteRaw("P", "KEY4", REG_SZ, "abc", 3);                  // short, no terminator
  WriteRaw("P", "PASSPHRASE", REG_BINARY, text260.c_str(), 260);
  const Encryption e = LoadEncryption("P");
  EXPECT_EQ("", e.key[0]);
  EXPECT_EQ("", e.key[1]);
  EXPECT_EQ(text259, e.key[2]);
  EXPECT_EQ("abc", e.key[3]);
  EXPECT_EQ("", e.passphrase);
}

TEST_F(StoreTest, NumbersLargerThanFourBytesTakeTheirDefaults) {
  const unsigned char eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
  for (const char* name : {"NETMODE", "CHANNEL", "TXRATE", "POWERMODE", "WEP", "KEYINDEX"}) {
    WriteRaw("P", name, REG_BINARY, eight, sizeof(eight));
  }
  const Settings s = Load("P");
  EXPECT_EQ(1, s.netMode);
  EXPECT_EQ(1, s.channel);
  EXPECT_EQ(0, s.txRate);
  EXPECT_EQ(0, s.powerMode);
  const Encryption e = LoadEncryption("P");
  EXPECT_EQ(-1, e.wep);
  EXPECT_EQ(1, e.keyIndex);
}

TEST_F(StoreTest, CurrentProfileRecord) {
  SetCurrentProfile("Office");
  EXPECT_EQ("Office", CurrentProfile(""));

  SetCurrentProfile("");  // an empty record reads as the fallback
  EXPECT_EQ("Default", CurrentProfile("Mine"));

  const std::string name259(259, 'n'), name260(260, 'n');
  WriteRaw("ProfileList", nullptr, REG_SZ, name259.c_str(), 260);
  EXPECT_EQ(name259, CurrentProfile(""));
  WriteRaw("ProfileList", nullptr, REG_BINARY, name260.c_str(), 260);  // no room for a terminator
  EXPECT_EQ("Default", CurrentProfile("Mine"));
}

TEST_F(StoreTest, AutoConnectAndPriorityAreOffAndZeroUnlessStoredAsOneAndANumber) {
  struct Auto {
    bool on = true;
    int32_t priority = 77;
  };
  auto load = [](const char* name) {
    Auto a;
    LoadProfileAutoConnect(name, &a.on, &a.priority);
    return a;
  };
  const Auto fresh = load("Old");  // a profile from before these values
  EXPECT_FALSE(fresh.on);
  EXPECT_EQ(0, fresh.priority);

  SaveProfileAutoConnect("Home", true, -3);
  EXPECT_TRUE(load("HOME").on);
  EXPECT_EQ(-3, load("Home").priority);  // signed
  RegKey home = OpenRaw("Home");
  DWORD type = 0, size = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(home.Get(), "AUTOCONNECT", nullptr, &type, nullptr, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);

  const DWORD two = 2;
  const unsigned char eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  WriteRaw("Home", "AUTOCONNECT", REG_DWORD, &two, sizeof(two));
  EXPECT_FALSE(load("Home").on);
  WriteRaw("Home", "AUTOCONNECT", REG_BINARY, eight, sizeof(eight));
  WriteRaw("Home", "PRIORITY", REG_BINARY, eight, sizeof(eight));
  EXPECT_FALSE(load("Home").on);
  EXPECT_EQ(0, load("Home").priority);
}

TEST_F(StoreTest, MakingAProfileCurrentPutsItFirstAmongTheRecentOnes) {
  SetCurrentProfile("Home");
  AddToProfileList("Office");
  SetCurrentProfile("Cafe");
  SetCurrentProfile("HOME");  // the same profile whatever its letter case
  EXPECT_EQ((std::vector<std::string>{"HOME", "Cafe", "Office"}), LoadRecentProfiles());

  DeleteProfileKey("cafe");
  EXPECT_EQ((std::vector<std::string>{"HOME", "Office"}), LoadRecentProfiles());

  for (int i = 0; i < 100; ++i) SetCurrentProfile(("P" + std::to_string(i)).c_str());
  const std::vector<std::string> recent = LoadRecentProfiles();
  ASSERT_EQ(kRecentProfileCount, recent.size());
  EXPECT_EQ("P99", recent.front());
  EXPECT_EQ("P36", recent.back());

  // Damaged data: the texts it holds count, a missing final terminator reads no further.
  RegKey driver = OpenRaw("");
  const char unterminated[] = {'A', 0, 'B', 'C'};
  RegSetValueExA(driver.Get(), "RecentProfiles", 0, REG_MULTI_SZ,
                 reinterpret_cast<const BYTE*>(unterminated), sizeof(unterminated));
  EXPECT_EQ((std::vector<std::string>{"A", "BC"}), LoadRecentProfiles());
}

TEST_F(StoreTest, TheWatchTellsOfWritesUnderTheDriverKeyAndOfNothingElse) {
  StoreWatch watch;
  EXPECT_TRUE(watch.Changed(0)) << "not yet watching: read";
  watch.Restart();
  LoadRecentProfiles();
  EXPECT_FALSE(watch.Changed(0)) << "reading changes nothing";
  SaveProfileAutoConnect("Home", true, 1);
  EXPECT_TRUE(watch.Changed(0)) << "a value in a profile's sub-key";
  watch.Restart();
  EXPECT_FALSE(watch.Changed(0));

  watch.Restart();  // again while nothing changed: the watch goes on
  const DWORD off = 0;
  WriteRaw("Home", "AUTOCONNECT", REG_DWORD, &off, sizeof(off));  // as another program would
  EXPECT_TRUE(watch.Changed(0));
}

TEST_F(StoreTest, AdapterDescriptionComesFromTheStringResourceWhenEmpty) {
  SaveProfileSettings("Home", "OnOurs", 1, 1, 0, 0);
  EXPECT_EQ(kAdapterText, AdapterDescription);

  // Once set, it is what discovery is given: here it picks another device.
  const std::string otherKey = TestDriverKey(918);
  DeviceFixture other("Other adapter", otherKey);
  ScopedRegistryKey otherPath(HKEY_LOCAL_MACHINE, kNtClassRoot + otherKey);
  AdapterDescription = "Other adapter";
  SaveProfileSettings("Home", "OnOther", 1, 1, 0, 0);
  EXPECT_STREQ("OnOther", Load("Home").ssid);

  AdapterDescription.clear();
  EXPECT_STREQ("OnOurs", Load("Home").ssid);
}

}  // namespace
}  // namespace tarnel::test
