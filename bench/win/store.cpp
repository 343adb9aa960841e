// Cost of one profile load, as the pages' periodic change checks pay it at every tick:
// discovery walks the network devices, then the store opens and reads its keys.
// Prints the median and 95th percentile over 1,000 calls with 1 and with 16 network devices
// registered, the adapter last in enumeration order. Run it in a scratch Wine prefix.
#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "DeviceFixture.h"
#include "RegistryCleanup.h"
#include "adapter/AdapterDiscovery.h"
#include "framework/PlatformFamily.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"

using tarnel::test::DeviceFixture;
using tarnel::test::ScopedRegistryKey;

namespace {

constexpr int kCalls = 1000;
constexpr char kAdapterText[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";
constexpr char kClassRoot[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";

std::string DriverKey(int instance) {
  return std::string(tarnel::test::kNetClassKeyName) + "\\" + std::to_string(instance);
}

void Measure(const char* label, int devices, const std::function<void()>& call) {
  std::vector<double> costs;
  costs.reserve(kCalls);
  for (int i = 0; i < kCalls; ++i) {
    const LARGE_INTEGER start = bench::Now();
    call();
    costs.push_back(bench::Milliseconds(start, bench::Now()));
  }
  std::sort(costs.begin(), costs.end());
  std::printf("%-24s %2d devices (%zu present): median %.3f ms, p95 %.3f ms\n", label, devices,
              DeviceFixture::PresentInstanceIds().size(), costs[kCalls / 2], costs[kCalls * 95 / 100]);
}

void Run(int deviceCount) {
  std::vector<std::unique_ptr<DeviceFixture>> devices;
  for (int i = 1; i < deviceCount; ++i) {
    devices.push_back(std::make_unique<DeviceFixture>("Bench other NIC " + std::to_string(i),
                                                      DriverKey(960 + i)));
  }
  devices.push_back(std::make_unique<DeviceFixture>(kAdapterText, DriverKey(960)));
  ScopedRegistryKey driverKey(HKEY_LOCAL_MACHINE, kClassRoot + DriverKey(960));
  if (!devices.back()->Registered() || !driverKey.Created()) {
    std::printf("could not register the devices\n");
    return;
  }

  tarnel::SaveProfileSettings("Bench", "BenchNet", 1, 6, 4, 0);
  tarnel::SaveProfileEncryption("Bench", 1, 0, "0123456789", "", "", "", "pass phrase");

  char ssid[tarnel::kSsidBufferSize];
  int32_t a, b, c, d;
  std::string k1, k2, k3, k4, passphrase;
  Measure("LoadProfileSettings", deviceCount,
          [&] { tarnel::LoadProfileSettings("Bench", ssid, &a, &b, &c, &d); });
  Measure("LoadProfileEncryption", deviceCount, [&] {
    tarnel::LoadProfileEncryption("Bench", &a, &b, &k1, &k2, &k3, &k4, &passphrase);
  });

  // Where the time goes: discovery, the device set it asks for, and the registry part alone.
  char key[tarnel::kDriverKeySize];
  Measure("  FindAdapter", deviceCount, [&] {
    key[0] = '\0';
    tarnel::FindAdapter(kAdapterText, key);
  });
  Measure("  device set only", deviceCount, [] {
    HDEVINFO set = SetupDiGetClassDevsA(&tarnel::test::kNetClassGuid, nullptr, nullptr,
                                        DIGCF_PRESENT);
    SetupDiDestroyDeviceInfoList(set);
  });
  const std::string profilePath = kClassRoot + DriverKey(960) + "\\Bench";
  Measure("  registry reads", deviceCount, [&] {
    HKEY profile;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, profilePath.c_str(), 0, KEY_ALL_ACCESS, &profile) ==
        ERROR_SUCCESS) {
      for (const char* name : {"SSID", "NETMODE", "CHANNEL", "TXRATE", "POWERMODE"}) {
        DWORD size = sizeof(ssid);
        RegQueryValueExA(profile, name, nullptr, nullptr, reinterpret_cast<BYTE*>(ssid), &size);
      }
      RegCloseKey(profile);
    }
  });
}

}  // namespace

int main() {
  tarnel::ForcePlatformFamily(0);
  DeviceFixture::RemoveAll(kAdapterText);
  DeviceFixture::RemoveAll("Bench other NIC");
  Run(1);
  Run(16);
  return 0;
}
