// The floor of a one-shot command: only the platform work that "nvkctl status" cannot avoid, as
// plain calls and nothing else (no C++ streams, no string tables, only the system libraries these
// calls need). Loads NvkLib.dll from its own folder, walks the present network devices with
// SetupDi for the one described as argv[1], reads the platform's adapter list, opens that
// device's driver key, initialises the library and stops it. Exit 0 when every step worked.
#include <windows.h>
#include <iphlpapi.h>
#include <setupapi.h>

#include <cstdio>
#include <cstring>

namespace {

// {4D36E972-E325-11CE-BFC1-08002BE10318}: network adapters.
const GUID kNetClass = {0x4D36E972, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

typedef unsigned char(__cdecl* Initialize)(int);  // nonzero: initialised
typedef void(__cdecl* Stop)();

int Fail(const char* step) {
  std::fprintf(stderr, "floor: %s failed\n", step);
  return 1;
}

// The driver key (the device's "Driver" property) of the present network device described as
// wanted; false when none is.
bool FindDriverKey(const char* wanted, char* key, DWORD size) {
  HDEVINFO set = ::SetupDiGetClassDevsA(&kNetClass, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  SP_DEVINFO_DATA device = {};
  device.cbSize = sizeof(device);
  char text[501] = {};
  for (DWORD i = 0; !found && ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    if (!::SetupDiGetDeviceRegistryPropertyA(set, &device, SPDRP_DEVICEDESC, nullptr,
                                             reinterpret_cast<BYTE*>(text), sizeof(text) - 1, nullptr) ||
        std::strstr(text, wanted) == nullptr)
      continue;
    found = ::SetupDiGetDeviceRegistryPropertyA(set, &device, SPDRP_DRIVER, nullptr, reinterpret_cast<BYTE*>(key),
                                                size, nullptr) != FALSE;
  }
  ::SetupDiDestroyDeviceInfoList(set);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: floor DESCRIPTION;");
  char path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (n == 0 || n >= MAX_PATH || slash == nullptr) return Fail("own path");
  std::strcpy(slash + 1, "NvkLib.dll");
  HMODULE library = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (library == nullptr) return Fail("loading NvkLib.dll");
  const auto initialize = reinterpret_cast<Initialize>(::GetProcAddress(library, "NV_Initialize"));
  const auto stop = reinterpret_cast<Stop>(::GetProcAddress(library, "NV_Stop"));
  if (initialize == nullptr || stop == nullptr) return Fail("finding NV_Initialize and NV_Stop");

  char driver[200] = {};
  if (!FindDriverKey(argv[1], driver, sizeof(driver))) return Fail("finding the adapter");
  // As status reads it: the size first, then the list (a machine may have none).
  ULONG size = 0;
  ::GetAdaptersInfo(nullptr, &size);
  static IP_ADAPTER_INFO adapters[64];
  size = sizeof(adapters);
  const DWORD listed = ::GetAdaptersInfo(adapters, &size);
  if (listed != ERROR_SUCCESS && listed != ERROR_NO_DATA) return Fail("reading the adapter list");
  char keyPath[300];
  std::snprintf(keyPath, sizeof(keyPath), "SYSTEM\\CurrentControlSet\\Control\\Class\\%s", driver);
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return Fail("opening the driver key");
  ::RegCloseKey(key);

  if (initialize(0) == 0) return Fail("NV_Initialize");
  stop();
  ::FreeLibrary(library);
  return 0;
}
