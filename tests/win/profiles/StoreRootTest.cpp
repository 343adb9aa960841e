// Which key the store works on: the class root of the platform family and the adapter's driver
// key, or nothing at all when no adapter is found.
#include <cstring>
#include <string>

#include "StoreTestSupport.h"
#include "profiles/ProfileStore.h"
#include "profiles/StoreWatch.h"

namespace tarnel::test {
namespace {

bool SubKeyExists(const std::string& path) {
  return RegKey::Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ).IsOpen();
}

// The outputs of the loads, preset to values no load gives.
struct Outputs {
  char ssid[kSsidBufferSize] = "keep";
  int32_t numbers[6] = {7, 7, 7, 7, 7, 7};
  std::string texts[5] = {"k1", "k2", "k3", "k4", "pp"};
  std::vector<std::string> list = {"kept"};

  void ExpectKept() const {
    EXPECT_STREQ("keep", ssid);
    for (int32_t value : numbers) EXPECT_EQ(7, value);
    EXPECT_EQ("k1k2k3k4pp", texts[0] + texts[1] + texts[2] + texts[3] + texts[4]);
    EXPECT_EQ((std::vector<std::string>{"kept"}), list);
  }
};

Outputs RunEveryOperation() {
  Outputs out;
  ProfileNameList = out.list;
  LoadProfileList();
  out.list = ProfileNameList;
  AddToProfileList("Home");
  SetCurrentProfile("Home");
  SaveProfileSettings("Home", "Net", 0, 2, 3, 1);
  SaveProfileEncryption("Home", 1, 2, "a", "b", "c", "d", "e");
  int32_t* n = out.numbers;
  LoadProfileSettings("Home", out.ssid, &n[0], &n[1], &n[2], &n[3]);
  LoadProfileEncryption("Home", &n[4], &n[5], &out.texts[0], &out.texts[1], &out.texts[2],
                        &out.texts[3], &out.texts[4]);
  RemoveFromProfileList("Home");
  DeleteProfileName("Home");
  DeleteProfileKey("Home");
  return out;
}

std::string CurrentProfile(const char* preset) {
  char buffer[kProfileNameBufferSize] = {};
  std::strcpy(buffer, preset);
  GetCurrentProfile(buffer);
  return buffer;
}

// No adapter: the store must not take the class root itself for the driver key.
TEST_F(StoreTestBase, WithoutAnAdapterNothingIsReadOrWritten) {
  RunEveryOperation().ExpectKept();
  EXPECT_EQ("Mine", CurrentProfile("Mine"));
  EXPECT_EQ("Default", CurrentProfile(""));

  const std::string root = kNtClassRoot;
  EXPECT_FALSE(SubKeyExists(root + "ProfileList"));
  EXPECT_FALSE(SubKeyExists(root + "Home"));
  RegKey classRoot = RegKey::Open(HKEY_LOCAL_MACHINE, root.c_str(), KEY_READ);
  ASSERT_TRUE(classRoot.IsOpen());
  EXPECT_NE(ERROR_SUCCESS,
            RegQueryValueExA(classRoot.Get(), "SSID", nullptr, nullptr, nullptr, nullptr));

  // Nothing to watch, as on the 9x family: read again at a modest pace, neither never nor always.
  StoreWatch watch;
  watch.Restart();
  EXPECT_TRUE(watch.Changed(0xFFFFF000u));
  EXPECT_FALSE(watch.Changed(0xFFFFF000u + 300));
  EXPECT_FALSE(watch.Changed(0xFFFFF000u + StoreWatch::kUnwatchedMs - 1));
  EXPECT_TRUE(watch.Changed(0xFFFFF000u + StoreWatch::kUnwatchedMs)) << "across the clock's wrap";
  watch.Restart();
  EXPECT_FALSE(watch.Changed(0xFFFFF000u + StoreWatch::kUnwatchedMs + 300));
}

TEST_F(StoreTestBase, AnAdapterWhoseDriverKeyIsMissingGetsNoStore) {
  const std::string driverKey = TestDriverKey(919);
  DeviceFixture device(std::string(kAdapterText), driverKey);
  ASSERT_TRUE(device.Registered());
  RunEveryOperation().ExpectKept();
  EXPECT_EQ("Mine", CurrentProfile("Mine"));
  EXPECT_FALSE(SubKeyExists(kNtClassRoot + driverKey));
}

TEST_F(StoreTestBase, ClassRootFollowsThePlatformFamilyAtEveryOperation) {
  const std::string driverKey = TestDriverKey(920);
  DeviceFixture device(std::string(kAdapterText), driverKey);
  ScopedRegistryKey nt(HKEY_LOCAL_MACHINE, kNtClassRoot + driverKey);
  ScopedRegistryKey win9x(HKEY_LOCAL_MACHINE, k9xClassRoot + driverKey);
  ASSERT_TRUE(nt.Created() && win9x.Created());

  ForcePlatformFamily(1);
  SaveProfileSettings("Home", "Nine", 1, 1, 0, 0);
  SetCurrentProfile("Home");
  EXPECT_TRUE(SubKeyExists(k9xClassRoot + driverKey + "\\Home"));
  EXPECT_FALSE(SubKeyExists(kNtClassRoot + driverKey + "\\Home"));

  ForcePlatformFamily(0);
  EXPECT_EQ("Default", CurrentProfile("Mine"));
  SaveProfileSettings("Home", "NT", 1, 1, 0, 0);

  char ssid[kSsidBufferSize];
  int32_t netMode, channel, txRate, powerMode;
  ForcePlatformFamily(1);
  EXPECT_EQ("Home", CurrentProfile(""));
  LoadProfileSettings("Home", ssid, &netMode, &channel, &txRate, &powerMode);
  EXPECT_STREQ("Nine", ssid);
}

// Every operation on every path, with the adapter's keys, without an adapter, and with a driver
// key that cannot be opened: nothing may stay open.
TEST_F(StoreTestBase, EveryKeyIsClosedOnEveryPath) {
  const std::string driverKey = TestDriverKey(921);
  auto check = [](const char* state) {
    RunEveryOperation();  // first use loads what the platform keeps for itself
    const std::vector<HANDLE> before = NextFreeHandles();
    RunEveryOperation();
    char buffer[kProfileNameBufferSize] = "";
    GetCurrentProfile(buffer);
    EXPECT_EQ(before, NextFreeHandles()) << state;
  };
  check("no adapter");
  DeviceFixture device(std::string(kAdapterText), driverKey);
  check("driver key missing");
  ScopedRegistryKey key(HKEY_LOCAL_MACHINE, kNtClassRoot + driverKey);
  check("adapter present");
}

}  // namespace
}  // namespace tarnel::test
