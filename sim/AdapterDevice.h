// The simulated adapter as a present network-class device: what the driver package's
// installation leaves on a real machine (a device with the adapter's description and hardware
// id, and its driver key under the network class), made through the device installation interface.
// Where the prefix reports the 9x family, the device is kept as that family keeps it: the driver
// key under its class root, and a live device node whose hardware key names the adapter.
#pragma once

#include <cstdint>
#include <string>

namespace tarnel::sim {

constexpr const char kAdapterDescription[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";
constexpr const char kAdapterHardwareId[] = "PCI\\VEN_17F3&DEV_4710&SUBSYS_471017F3&REV_20";
constexpr const char kNetClassKey[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

// The class roots of the driver keys under HKEY_LOCAL_MACHINE.
constexpr const char kNtClassRoot[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";
constexpr const char k9xClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";

// 9x family: the adapter's device node, its key under HKEY_DYN_DATA and the hardware key there
// (the hardware id, then the card's place on the bus, as the PCI enumerator names it).
constexpr uint32_t kAdapterDevNode = 0xC1A7D340;
constexpr const char kAdapterBusPlace[] = "BUS_02&DEV_00&FUNC_00";
std::string DevNodeKeyPath(uint32_t devNode);  // "Config Manager\Enum\%08lX"

// True when the prefix reports the 9x family (the version word's high bit).
bool Reports9xFamily();

// The driver key the platform family gives a first network card:
// {4D36E972-E325-11CE-BFC1-08002BE10318}\0001, or Net\0001 on the 9x family.
std::string DefaultDriverKey();

// Registers a present network-class device and creates its driver key under the family's class
// root; on the 9x family also its device node's key. True on success.
bool RegisterAdapterDevice(const std::string& description, const std::string& driverKey,
                           const std::string& hardwareId);

// Removes every present network-class device whose description contains text; the count removed.
// On the 9x family the adapter's device node key goes with it, and each removed device's driver
// key as far as the platform's removal takes the network class's one (an empty key only).
int RemoveAdapterDevices(const std::string& text);

}  // namespace tarnel::sim
