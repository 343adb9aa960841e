// Finding the adapter among the network devices registered in the prefix.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DeviceFixture.h"
#include "RegistryCleanup.h"
#include "SimClient.h"
#include "adapter/AdapterDiscovery.h"
#include "adapter/CmSetupLibrary.h"
#include "adapter/DeviceInfoSet.h"

namespace tarnel::test {
namespace {

constexpr char kAdapterText[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";
constexpr char kOtherText[] = "Tarnel test: other NIC";

std::string Key(int instance) {
  return std::string(kNetClassKeyName) + "\\" + std::to_string(instance);
}

std::vector<std::string> g_alerts;
void RecordAlert(const char* text) { g_alerts.push_back(text); }

// The caller's zeroed 260 bytes, followed by guard bytes that must never change.
struct DriverKeyBuffer {
  char bytes[kDriverKeySize + 16];
  DriverKeyBuffer() {
    std::memset(bytes, 0, kDriverKeySize);
    std::memset(bytes + kDriverKeySize, 0x5A, 16);
  }
  std::string Text() const { return std::string(bytes, strnlen(bytes, kDriverKeySize)); }
  bool GuardIntact() const {
    for (size_t i = kDriverKeySize; i < sizeof(bytes); ++i) {
      if (bytes[i] != 0x5A) return false;
    }
    return true;
  }
};

class FindAdapterTest : public testing::Test {
 protected:
  void SetUp() override {
    DeviceFixture::RemoveAll(kAdapterText);
    DeviceFixture::RemoveAll("Tarnel test");
    ASSERT_TRUE(sim_.Open());
    sim_.ResetToDefaults();
    sim_.SetDevNodeProblem(0);
    g_alerts.clear();
    previousAlert_ = SetDiscoveryAlert(RecordAlert);
  }
  void TearDown() override {
    SetDiscoveryAlert(previousAlert_);
    sim_.ResetToDefaults();
  }

  // Registers a device and checks that it enumerates after those registered before it.
  void Add(const std::string& description, const std::string& driverKey) {
    devices_.push_back(std::make_unique<DeviceFixture>(description, driverKey));
    ASSERT_TRUE(devices_.back()->Registered());
    const std::vector<std::string> ids = DeviceFixture::PresentInstanceIds();
    ASSERT_EQ(devices_.size(), ids.size());
    for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(devices_[i]->InstanceId(), ids[i]);
  }

  int Find(const char* description, DriverKeyBuffer* buffer) {
    return FindAdapter(description, buffer->bytes);
  }

  sim::SimClient sim_;
  DiscoveryAlert previousAlert_ = nullptr;
  std::vector<std::unique_ptr<DeviceFixture>> devices_;
};

TEST_F(FindAdapterTest, FirstMatchingDeviceWinsWithItsOwnStatus) {
  Add(kOtherText, Key(930));
  Add(std::string(kAdapterText), Key(931));
  Add(std::string(kAdapterText) + " #2", Key(932));

  DriverKeyBuffer buffer;
  const uint32_t calls = sim_.DevNodeCalls();
  EXPECT_EQ(1, Find(kAdapterText, &buffer));
  EXPECT_EQ(Key(931), buffer.Text());
  EXPECT_EQ(calls + 1, sim_.DevNodeCalls());  // asked once: for the winner only

  sim_.SetDevNodeProblem(-1);  // the platform's own answer: working
  EXPECT_EQ(1, FindAdapter(kAdapterText, nullptr));
}

TEST_F(FindAdapterTest, DescriptionMustContainTheTextExactly) {
  Add("norvik nvk4710 wireless lan (mini-)pci nic", Key(933));
  DriverKeyBuffer buffer;
  EXPECT_EQ(0, Find(kAdapterText, &buffer));
  EXPECT_EQ("", buffer.Text());

  Add(std::string("PCI ") + kAdapterText + " #3", Key(934));
  EXPECT_EQ(1, Find(kAdapterText, &buffer));
  EXPECT_EQ(Key(934), buffer.Text());
}

TEST_F(FindAdapterTest, NoMatchLeavesTheCallersBufferAlone) {
  Add(kOtherText, Key(935));
  DriverKeyBuffer buffer;
  std::strcpy(buffer.bytes, "caller");
  const uint32_t calls = sim_.DevNodeCalls();
  EXPECT_EQ(0, Find(kAdapterText, &buffer));
  EXPECT_EQ("caller", buffer.Text());
  EXPECT_EQ(calls, sim_.DevNodeCalls());
}

TEST_F(FindAdapterTest, UnhealthyDeviceGivesZeroButItsKey) {
  Add(kAdapterText, Key(936));
  struct Case {
    int32_t problem;
    bool statusFails;
  };
  for (const Case& c : {Case{28, false}, Case{0, true}}) {
    sim_.SetDevNodeProblem(c.problem);
    sim_.SetDevNodeStatusFails(c.statusFails);
    DriverKeyBuffer buffer;
    EXPECT_EQ(0, Find(kAdapterText, &buffer)) << "problem " << c.problem;
    EXPECT_EQ(Key(936), buffer.Text()) << "problem " << c.problem;
  }
}

TEST_F(FindAdapterTest, OverlongDescriptionEndsTheSearchWithTheMessage) {
  Add(std::string(499, 'D'), Key(937));  // fits the 500-byte buffer with its terminator
  Add(std::string(500, 'L'), Key(938));  // does not
  Add(kAdapterText, Key(939));

  DriverKeyBuffer buffer;
  const uint32_t calls = sim_.DevNodeCalls();
  EXPECT_EQ(0, Find(kAdapterText, &buffer));
  EXPECT_EQ("", buffer.Text());
  EXPECT_EQ(std::vector<std::string>{"ERROR_INSUFFICIENT_BUFFER"}, g_alerts);
  EXPECT_EQ(calls, sim_.DevNodeCalls());

  g_alerts.clear();
  EXPECT_EQ(1, Find(std::string(499, 'D').c_str(), &buffer));
  EXPECT_EQ(Key(937), buffer.Text());
  EXPECT_TRUE(g_alerts.empty());
}

TEST_F(FindAdapterTest, DriverKeyIsDeliveredOnlyWhenItFitsTheCallersBuffer) {
  const std::string fits(kDriverKeySize - 1, 'k');
  const std::string tooLong(kDriverKeySize, 'k');
  Add(std::string(kAdapterText) + " A", fits);
  Add(std::string(kAdapterText) + " B", tooLong);

  DriverKeyBuffer buffer;
  EXPECT_EQ(1, Find((std::string(kAdapterText) + " A").c_str(), &buffer));
  EXPECT_EQ(fits, buffer.Text());
  EXPECT_TRUE(buffer.GuardIntact());

  DriverKeyBuffer second;
  EXPECT_EQ(1, Find((std::string(kAdapterText) + " B").c_str(), &second));
  EXPECT_EQ("", second.Text());  // a cut key would name another key
  EXPECT_TRUE(second.GuardIntact());

  char small[8] = "small";
  EXPECT_EQ(1, FindAdapter(kAdapterText, small, sizeof(small)));
  EXPECT_STREQ("small", small);
}

TEST_F(FindAdapterTest, ReleasesTheDeviceSetOnEveryPath) {
  Add(kOtherText, Key(941));
  Add(std::string(600, 'L'), Key(942));
  Add(kAdapterText, Key(943));
  auto runAll = [] {
    DriverKeyBuffer buffer;
    FindAdapter(kOtherText, buffer.bytes);    // a match
    FindAdapter(kAdapterText, buffer.bytes);  // the overlong description comes first: message
  };
  runAll();
  const std::vector<HANDLE> before = NextFreeHandles();
  runAll();
  EXPECT_EQ(before, NextFreeHandles());
  EXPECT_EQ(2u, g_alerts.size());
}

TEST(CmSetupLibraryTest, MissingLibraryOrExportMeansTheStatusCannotBeRead) {
  uint32_t problem = 5;
  EXPECT_FALSE(CmSetupLibrary("NoSuchCMSetup.dll").GetDevNodeProblem(0, &problem));
  EXPECT_FALSE(CmSetupLibrary("kernel32.dll").GetDevNodeProblem(0, &problem));
}

TEST_F(FindAdapterTest, DeviceInfoSetMovesWithoutReleasingTwice) {
  Add(kAdapterText, Key(940));
  DeviceInfoSet first = DeviceInfoSet::PresentOfClass(kNetClassGuid);
  ASSERT_TRUE(first.IsValid());
  DeviceInfoSet second(std::move(first));
  EXPECT_FALSE(first.IsValid());
  DeviceInfoSet third = DeviceInfoSet::PresentOfClass(kNetClassGuid);
  third = std::move(second);

  SP_DEVINFO_DATA device;
  device.cbSize = sizeof(SP_DEVINFO_DATA);
  EXPECT_TRUE(SetupDiEnumDeviceInfo(third.Get(), 0, &device));
}

}  // namespace
}  // namespace tarnel::test
