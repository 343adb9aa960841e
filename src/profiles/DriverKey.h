// Where the adapter's driver instance keeps its settings: the class root of the platform
// family followed by the driver key text that adapter discovery finds.
#pragma once

#include <string>

#include "framework/RegKey.h"

namespace tarnel {

// "SYSTEM\CurrentControlSet\Control\Class\" or, on the 9x family, "System\...\Services\Class\".
const char* ClassRoot();

// Path of the driver key under HKEY_LOCAL_MACHINE, or empty when no adapter is found:
// the class root alone would put profile keys among the classes.
std::string DriverKeyPath();

// The driver key path as above and whether the device reports no problem, from one walk of the
// network devices.
struct AdapterLocation {
  std::string driverKeyPath;
  bool working = false;
};
AdapterLocation LocateAdapter();

// How the store reaches the registry. Full: the driver key with full access and profile keys
// created when missing, as the utility always works. Read: read access only and nothing created,
// for a caller that only looks; a missing key then reads as the store's defaults.
enum class StoreAccess { kFull, kRead };
void SetStoreAccess(StoreAccess access);
REGSAM StoreKeyAccess();
StoreAccess CurrentStoreAccess();

// The driver key opened with the store's access; not open when there is no adapter or the open
// fails.
RegKey OpenDriverKey();

}  // namespace tarnel
