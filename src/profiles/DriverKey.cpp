#include "profiles/DriverKey.h"

#include <windows.h>

#include "adapter/AdapterDiscovery.h"
#include "framework/PlatformFamily.h"
#include "profiles/ProfileGlobals.h"
#include "resource.h"

namespace tarnel {

namespace {

constexpr int kDescriptionSize = 260;

StoreAccess g_access = StoreAccess::kFull;

void EnsureAdapterDescription() {
  if (!AdapterDescription.empty()) return;
  char text[kDescriptionSize] = {};
  LoadStringA(GetModuleHandleA(nullptr), IDS_ADAPTER_DESCRIPTION, text, kDescriptionSize);
  AdapterDescription = text;
}

}  // namespace

const char* ClassRoot() {
  return IsWin9xFamily() ? "System\\CurrentControlSet\\Services\\Class\\"
                         : "SYSTEM\\CurrentControlSet\\Control\\Class\\";
}

std::string DriverKeyPath() {
  EnsureAdapterDescription();
  if (AdapterDescription.empty()) return std::string();  // "" would match every device
  char driverKey[kDriverKeySize] = {};
  FindAdapter(AdapterDescription.c_str(), driverKey, sizeof(driverKey));
  if (driverKey[0] == '\0') return std::string();
  return std::string(ClassRoot()) + driverKey;
}

void SetStoreAccess(StoreAccess access) { g_access = access; }

StoreAccess CurrentStoreAccess() { return g_access; }

REGSAM StoreKeyAccess() { return g_access == StoreAccess::kRead ? KEY_READ : KEY_ALL_ACCESS; }

RegKey OpenDriverKey() {
  const std::string path = DriverKeyPath();
  if (path.empty()) return RegKey();
  return RegKey::Open(HKEY_LOCAL_MACHINE, path.c_str(), StoreKeyAccess());
}

}  // namespace tarnel
