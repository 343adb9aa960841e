#include "profiles/DriverKey.h"

#include <windows.h>

#include "adapter/AdapterDiscovery.h"
#include "framework/PlatformFamily.h"
#include "framework/StringResource.h"
#include "profiles/ProfileGlobals.h"
#include "resource.h"

namespace tarnel {

namespace {

constexpr int kDescriptionSize = 260;

StoreAccess g_access = StoreAccess::kFull;

void EnsureAdapterDescription() {
  if (!AdapterDescription.empty()) return;
  // As a buffer of kDescriptionSize bytes held it.
  AdapterDescription = ReadStringResource(GetModuleHandleA(nullptr), IDS_ADAPTER_DESCRIPTION).substr(0, kDescriptionSize - 1);
}

}  // namespace

const char* ClassRoot() {
  return IsWin9xFamily() ? "System\\CurrentControlSet\\Services\\Class\\"
                         : "SYSTEM\\CurrentControlSet\\Control\\Class\\";
}

AdapterLocation LocateAdapter() {
  AdapterLocation found;
  EnsureAdapterDescription();
  if (AdapterDescription.empty()) return found;  // "" would match every device
  char driverKey[kDriverKeySize] = {};
  found.working = FindAdapter(AdapterDescription.c_str(), driverKey, sizeof(driverKey)) != 0;
  if (driverKey[0] != '\0') found.driverKeyPath = std::string(ClassRoot()) + driverKey;
  return found;
}

std::string DriverKeyPath() { return LocateAdapter().driverKeyPath; }

void SetStoreAccess(StoreAccess access) { g_access = access; }

StoreAccess CurrentStoreAccess() { return g_access; }

REGSAM StoreKeyAccess() { return g_access == StoreAccess::kRead ? KEY_READ : KEY_ALL_ACCESS; }

RegKey OpenDriverKey() {
  const std::string path = DriverKeyPath();
  if (path.empty()) return RegKey();
  return RegKey::Open(HKEY_LOCAL_MACHINE, path.c_str(), StoreKeyAccess());
}

}  // namespace tarnel
