// The 9x device-node check: the hardware key recorded for a node under the dynamic-data root.
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RegistryCleanup.h"
#include "adapter/AdapterDiscovery.h"
#include "framework/RegKey.h"

namespace tarnel::test {
namespace {

constexpr char kNodePath[] = "Config Manager\\Enum\\0000ABCD";
constexpr uint32_t kNode = 0xABCD;

class IsOwnDevNodeTest : public testing::Test {
 protected:
  void SetUp() override {
    DeleteKeyTree(HKEY_DYN_DATA, "Config Manager");
    node_ = std::make_unique<ScopedRegistryKey>(HKEY_DYN_DATA, kNodePath);
    ASSERT_TRUE(node_->Created()) << "the dynamic-data root cannot be written here";
  }

  void SetHardwareKey(const std::string& data, DWORD type = REG_SZ) {
    RegKey key = RegKey::Open(HKEY_DYN_DATA, kNodePath, KEY_ALL_ACCESS);
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key.Get(), "HardWareKey", 0, type,
                             reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())));
  }

  std::unique_ptr<ScopedRegistryKey> node_;
};

TEST_F(IsOwnDevNodeTest, PartBeforeTheLastBackslashMustBeTheHardwareIdExactly) {
  const std::string id = AdapterHardwareId;
  std::string lower = id;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  struct Case {
    std::string key;
    unsigned char own;
  };
  const Case cases[] = {
      {id + "\\4&1A2B3C4D&0&40", 1},
      {id + "\\", 1},
      {id + "\\4&1\\40", 0},            // cut at the last backslash, not the first
      {lower + "\\4&1A2B3C4D&0&40", 0},  // case matters
      {"PCI\\VEN_17F3&DEV_4710&SUBSYS_471017F3&REV_21\\4&1", 0},
      {id, 0},  // no backslash leaves nothing
      {"", 0},
  };
  for (const Case& c : cases) {
    SetHardwareKey(c.key + '\0');
    EXPECT_EQ(c.own, IsOwnDevNode(kNode)) << c.key;
  }
}

TEST_F(IsOwnDevNodeTest, HardwareKeyFillingTheWholeBufferIsStillTerminated) {
  std::string key = std::string(AdapterHardwareId) + "\\";
  key.append(200 - key.size(), 'x');  // exactly 200 bytes, no terminator
  SetHardwareKey(key, REG_BINARY);
  EXPECT_EQ(1, IsOwnDevNode(kNode));

  SetHardwareKey(key + 'x', REG_BINARY);  // does not fit: unreadable
  EXPECT_EQ(0, IsOwnDevNode(kNode));
}

TEST_F(IsOwnDevNodeTest, MissingNodeOrValueIsNotTheAdapterAndNothingStaysOpen) {
  EXPECT_EQ(0, IsOwnDevNode(kNode));  // the node has no "HardWareKey" yet
  SetHardwareKey(std::string(AdapterHardwareId) + "\\4&1" + '\0');
  EXPECT_EQ(1, IsOwnDevNode(kNode));
  EXPECT_EQ(0, IsOwnDevNode(0xABCD0000u));  // another node: no key to open

  const std::vector<HANDLE> before = NextFreeHandles();
  IsOwnDevNode(kNode);
  IsOwnDevNode(0xABCD0000u);
  EXPECT_EQ(before, NextFreeHandles());
}

}  // namespace
}  // namespace tarnel::test
