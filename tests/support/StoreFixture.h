// Profiles written straight into the registry under a driver key, as another program or a person
// would; and the adapter registered as a network device with a driver key of its own for the
// length of a test, so that the profile store works in-process (store globals start fresh).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "DeviceFixture.h"
#include "RegistryCleanup.h"

namespace tarnel::test {

constexpr char kAdapterDescriptionText[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";

class ProfileWriter {
 public:
  // driverPath: the driver key below HKEY_LOCAL_MACHINE.
  explicit ProfileWriter(std::string driverPath) : path_(std::move(driverPath)) {}

  const std::string& DriverPath() const { return path_; }
  // Lists the profile and stores its network settings and its automatic connection.
  void AddProfile(const std::string& name, const std::string& ssid, bool autoConnect, int32_t priority = 0,
                  int32_t netMode = 1);
  void SetAutoConnect(const std::string& name, bool on);
  void SetCurrent(const std::string& name);
  void SetRecent(const std::vector<std::string>& names);
  // The unnamed value of "ProfileList".
  std::string Current() const;

 private:
  std::string path_;
};

class StoreFixture : public ProfileWriter {
 public:
  // instance: the driver key's instance number, e.g. "0925"; one per test program.
  explicit StoreFixture(const std::string& instance);
  StoreFixture(const StoreFixture&) = delete;
  StoreFixture& operator=(const StoreFixture&) = delete;

  bool Ready() const { return device_.Registered() && key_.Created(); }

 private:
  struct FreshGlobals {
    FreshGlobals();
  } fresh_;
  DeviceFixture device_;
  ScopedRegistryKey key_;
};

}  // namespace tarnel::test
