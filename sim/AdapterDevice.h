// The simulated adapter as a present network-class device: what the driver package's
// installation leaves on a real machine (a device with the adapter's description and hardware
// id, and its driver key under the network class), made through the device installation interface.
#pragma once

#include <string>

namespace tarnel::sim {

constexpr const char kAdapterDescription[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";
constexpr const char kAdapterHardwareId[] = "PCI\\VEN_17F3&DEV_4710&SUBSYS_471017F3&REV_20";
constexpr const char kNetClassKey[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

// Registers a present network-class device and creates its driver key
// (HKLM\SYSTEM\CurrentControlSet\Control\Class\<driverKey>). True on success.
bool RegisterAdapterDevice(const std::string& description, const std::string& driverKey,
                           const std::string& hardwareId);

// Removes every present network-class device whose description contains text; the count removed.
int RemoveAdapterDevices(const std::string& text);

}  // namespace tarnel::sim
