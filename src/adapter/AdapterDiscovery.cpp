#include "adapter/AdapterDiscovery.h"

#include <windows.h>
#include <setupapi.h>

#include <cstdio>
#include <cstring>

#include "adapter/CmSetupLibrary.h"
#include "adapter/DeviceInfoSet.h"
#include "framework/RegKey.h"

namespace tarnel {

const char AdapterHardwareId[] = "PCI\\VEN_17F3&DEV_4710&SUBSYS_471017F3&REV_20";

namespace {

// {4D36E972-E325-11CE-BFC1-08002BE10318}: the class of network adapters.
const GUID kNetClassGuid = {0x4D36E972, 0xE325, 0x11CE,
                            {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

constexpr DWORD kPropertySize = 500;
constexpr DWORD kHardwareKeySize = 200;
constexpr REGSAM kDevNodeAccess = 0x2001F;

// The window library is found when a message is shown, not at start: a console program that
// reports discovery's message itself never loads it. It is one of the system's known libraries.
void MessageBoxAlert(const char* text) {
  using ShowMessage = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
  HMODULE windows = ::LoadLibraryA("user32.dll");
  if (windows == nullptr) return;
  if (const auto show = reinterpret_cast<ShowMessage>(::GetProcAddress(windows, "MessageBoxA")))
    show(nullptr, text, nullptr, MB_OK);
  ::FreeLibrary(windows);
}

DiscoveryAlert g_alert = MessageBoxAlert;

// One extra byte past the size handed to the platform keeps every read terminated, even
// when the stored text has no terminator of its own.
struct PropertyBuffer {
  char text[kPropertySize + 1];
  void Clear() { std::memset(text, 0, sizeof(text)); }
};

// False only when the property does not fit the buffer (error 122); any other failure
// leaves the buffer empty.
bool ReadProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property, PropertyBuffer* out) {
  out->Clear();
  if (SetupDiGetDeviceRegistryPropertyA(set, device, property, nullptr,
                                        reinterpret_cast<BYTE*>(out->text), kPropertySize,
                                        nullptr)) {
    return true;
  }
  const bool tooSmall = GetLastError() == ERROR_INSUFFICIENT_BUFFER;
  out->Clear();
  return !tooSmall;
}

void DeliverDriverKey(const char* key, char* driverKey, size_t driverKeySize) {
  if (driverKey == nullptr || key[0] == '\0') return;
  const size_t length = std::strlen(key);
  if (length + 1 > driverKeySize) return;
  std::memcpy(driverKey, key, length + 1);
}

int DevNodeHealthy(DWORD devInst) {
  uint32_t problem = 0;
  if (!CmSetup().GetDevNodeProblem(devInst, &problem)) return 0;
  return problem == 0 ? 1 : 0;
}

}  // namespace

DiscoveryAlert SetDiscoveryAlert(DiscoveryAlert alert) {
  DiscoveryAlert previous = g_alert;
  g_alert = alert != nullptr ? alert : MessageBoxAlert;
  return previous;
}

int FindAdapter(const char* description, char* driverKey, size_t driverKeySize) {
  DeviceInfoSet set = DeviceInfoSet::PresentOfClass(kNetClassGuid);
  if (!set.IsValid()) return 0;

  PropertyBuffer buffer;
  SP_DEVINFO_DATA device;
  for (DWORD index = 0;; ++index) {
    std::memset(&device, 0, sizeof(device));
    device.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!SetupDiEnumDeviceInfo(set.Get(), index, &device)) return 0;

    if (!ReadProperty(set.Get(), &device, SPDRP_DEVICEDESC, &buffer)) {
      g_alert("ERROR_INSUFFICIENT_BUFFER");
      return 0;
    }
    if (std::strstr(buffer.text, description) == nullptr) continue;

    // A driver key too long for the buffer is not delivered, like any unreadable one.
    ReadProperty(set.Get(), &device, SPDRP_DRIVER, &buffer);
    DeliverDriverKey(buffer.text, driverKey, driverKeySize);
    return DevNodeHealthy(device.DevInst);
  }
}

unsigned char IsOwnDevNode(uint32_t devNode) {
  char path[64];
  std::snprintf(path, sizeof(path), "Config Manager\\Enum\\%8.8lX",
                static_cast<unsigned long>(devNode));
  RegKey key = RegKey::Open(HKEY_DYN_DATA, path, kDevNodeAccess);
  if (!key.IsOpen()) return 0;

  char hardwareKey[kHardwareKeySize + 1] = {};
  DWORD size = kHardwareKeySize;
  if (RegQueryValueExA(key.Get(), "HardWareKey", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(hardwareKey), &size) != ERROR_SUCCESS) {
    return 0;
  }
  char* lastBackslash = std::strrchr(hardwareKey, '\\');
  if (lastBackslash == nullptr) return 0;  // nothing stands before a missing backslash
  *lastBackslash = '\0';
  return std::strcmp(hardwareKey, AdapterHardwareId) == 0 ? 1 : 0;
}

}  // namespace tarnel
