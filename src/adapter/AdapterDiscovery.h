// Finds the utility's own adapter among the machine's network devices by its description,
// and tells on the 9x family whether a device node is that adapter.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnel {

extern const char AdapterHardwareId[];

// Size of the driver key buffer callers pass to FindAdapter.
constexpr size_t kDriverKeySize = 260;

// 1 when a network device whose description contains `description` (case-sensitive) exists
// and its device node reports no problem, else 0. The first such device's driver key text is
// written to driverKey (when given) whatever the result, but only when it fits in
// driverKeySize bytes with its terminator: a cut key would name another key.
int FindAdapter(const char* description, char* driverKey, size_t driverKeySize = kDriverKeySize);

// 1 when the 9x device node's hardware key, up to its last backslash, is AdapterHardwareId.
unsigned char IsOwnDevNode(uint32_t devNode);

// Shows the one message of discovery ("ERROR_INSUFFICIENT_BUFFER"). Replaceable so that a test
// can see it without a blocking message box; returns the previous one.
using DiscoveryAlert = void (*)(const char* text);
DiscoveryAlert SetDiscoveryAlert(DiscoveryAlert alert);

}  // namespace tarnel
