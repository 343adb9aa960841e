// The registry key owner the store relies on to close every key on every path.
#include <utility>

#include "RegistryCleanup.h"
#include "framework/RegKey.h"
#include <gtest/gtest.h>

namespace tarnel::test {
namespace {

constexpr char kPath[] = "Software\\TarnelTest\\RegKey";

bool IsLiveHandle(HKEY key) {
  DWORD subKeys = 0;
  return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

class RegKeyTest : public testing::Test {
 protected:
  ScopedRegistryKey scratch_{HKEY_CURRENT_USER, kPath};
};

TEST_F(RegKeyTest, ClosesItsKeyWhenItGoes) {
  HKEY raw;
  {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, kPath, KEY_READ);
    ASSERT_TRUE(key.IsOpen());
    raw = key.Get();
    EXPECT_TRUE(IsLiveHandle(raw));
  }
  EXPECT_FALSE(IsLiveHandle(raw));
}

TEST_F(RegKeyTest, MovingHandsOverWithoutClosingTwice) {
  RegKey first = RegKey::Open(HKEY_CURRENT_USER, kPath, KEY_READ);
  const HKEY raw = first.Get();
  RegKey second(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(raw, second.Get());
  EXPECT_TRUE(IsLiveHandle(raw));

  RegKey third = RegKey::Create(HKEY_CURRENT_USER, kPath);
  const HKEY replaced = third.Get();
  third = std::move(second);  // closes what third held
  EXPECT_EQ(raw, third.Get());
  EXPECT_TRUE(IsLiveHandle(raw));
  EXPECT_FALSE(IsLiveHandle(replaced));
}

TEST_F(RegKeyTest, FailedOpenHoldsNothing) {
  RegKey missing = RegKey::Open(HKEY_CURRENT_USER, "Software\\TarnelTest\\Missing", KEY_READ);
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(nullptr, missing.Get());
}

}  // namespace
}  // namespace tarnel::test
