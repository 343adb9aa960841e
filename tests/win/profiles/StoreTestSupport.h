// A registered adapter with its driver key for the store tests, and raw registry access to
// look at what the store wrote.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DeviceFixture.h"
#include "RegistryCleanup.h"
#include "adapter/AdapterDiscovery.h"
#include "framework/PlatformFamily.h"
#include "framework/RegKey.h"
#include "profiles/ProfileGlobals.h"

namespace tarnel::test {

constexpr char kAdapterText[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";
constexpr char kNtClassRoot[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";
constexpr char k9xClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";

inline std::string TestDriverKey(int instance) {
  char number[8];
  wsprintfA(number, "\\%04d", instance);
  return std::string(kNetClassKeyName) + number;
}

// Every store test starts from no adapter devices, the NT family and fresh globals.
class StoreTestBase : public testing::Test {
 protected:
  StoreTestBase() {
    ForcePlatformFamily(0);
    DeviceFixture::RemoveAll(kAdapterText);
    AdapterDescription.clear();
    ProfileNameList.clear();
    CurrentProfileName = "Default";
  }
  ~StoreTestBase() override { ForcePlatformFamily(-1); }
};

// One adapter whose driver key exists under the NT class root.
class StoreTest : public StoreTestBase {
 protected:
  StoreTest()
      : driverKey_(TestDriverKey(917)),
        driverPath_(kNtClassRoot + driverKey_),
        device_(std::string(kAdapterText) + " #2", driverKey_, AdapterHardwareId),
        key_(HKEY_LOCAL_MACHINE, driverPath_) {}

  void SetUp() override {
    ASSERT_TRUE(device_.Registered());
    ASSERT_TRUE(key_.Created());
  }

  RegKey OpenRaw(const std::string& sub) const {
    const std::string path = sub.empty() ? driverPath_ : driverPath_ + "\\" + sub;
    return RegKey::Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS);
  }

  void WriteRaw(const std::string& sub, const char* name, DWORD type, const void* data,
                size_t size) const {
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, (driverPath_ + "\\" + sub).c_str());
    ASSERT_TRUE(key.IsOpen());
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.Get(), name, 0, type,
                                            static_cast<const BYTE*>(data),
                                            static_cast<DWORD>(size)));
  }

  // Names of the values of "ProfileList" in the registry's enumeration order.
  std::vector<std::string> ListValueNames() const {
    std::vector<std::string> names;
    RegKey list = OpenRaw("ProfileList");
    char name[1024];
    for (DWORD index = 0; list.IsOpen(); ++index) {
      DWORD length = sizeof(name);
      if (RegEnumValueA(list.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      names.emplace_back(name);
    }
    return names;
  }

  const std::string driverKey_;
  const std::string driverPath_;
  DeviceFixture device_;
  ScopedRegistryKey key_;
};

}  // namespace tarnel::test
