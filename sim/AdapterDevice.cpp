#include "AdapterDevice.h"

#include <windows.h>
#include <setupapi.h>

#include <cstring>

namespace tarnel::sim {

namespace {

const GUID kNetClassGuid = {0x4D36E972, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

class InfoSet {
 public:
  explicit InfoSet(HDEVINFO set) : set_(set) {}
  ~InfoSet() {
    if (set_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(set_);
  }
  InfoSet(const InfoSet&) = delete;
  InfoSet& operator=(const InfoSet&) = delete;
  HDEVINFO Get() const { return set_; }
  bool Valid() const { return set_ != INVALID_HANDLE_VALUE; }

 private:
  HDEVINFO set_;
};

bool SetProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property, const std::string& bytes) {
  return SetupDiSetDeviceRegistryPropertyA(set, device, property, reinterpret_cast<const BYTE*>(bytes.data()),
                                           static_cast<DWORD>(bytes.size())) != FALSE;
}

bool CreateDriverKey(const std::string& driverKey) {
  const std::string path = "SYSTEM\\CurrentControlSet\\Control\\Class\\" + driverKey;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool RemoveFirst(const std::string& text) {
  InfoSet set(SetupDiGetClassDevsA(&kNetClassGuid, nullptr, nullptr, DIGCF_PRESENT));
  if (!set.Valid()) return false;
  SP_DEVINFO_DATA device;
  for (DWORD index = 0;; ++index) {
    device.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!SetupDiEnumDeviceInfo(set.Get(), index, &device)) return false;
    char description[1024] = {0};
    SetupDiGetDeviceRegistryPropertyA(set.Get(), &device, SPDRP_DEVICEDESC, nullptr,
                                      reinterpret_cast<BYTE*>(description), sizeof(description) - 1, nullptr);
    if (std::strstr(description, text.c_str()))
      return SetupDiCallClassInstaller(DIF_REMOVE, set.Get(), &device) != FALSE;
  }
}

}  // namespace

bool RegisterAdapterDevice(const std::string& description, const std::string& driverKey,
                           const std::string& hardwareId) {
  InfoSet set(SetupDiCreateDeviceInfoList(&kNetClassGuid, nullptr));
  if (!set.Valid()) return false;
  SP_DEVINFO_DATA device = {};
  device.cbSize = sizeof(SP_DEVINFO_DATA);
  if (!SetupDiCreateDeviceInfoA(set.Get(), "NET", &kNetClassGuid, description.c_str(), nullptr,
                                DICD_GENERATE_ID, &device) ||
      !SetupDiRegisterDeviceInfo(set.Get(), &device, 0, nullptr, nullptr, nullptr))
    return false;
  std::string ids = hardwareId;
  ids.append(2, '\0');  // a multi-string: the id, then an empty one
  return SetProperty(set.Get(), &device, SPDRP_DEVICEDESC, description + '\0') &&
         SetProperty(set.Get(), &device, SPDRP_DRIVER, driverKey + '\0') &&
         SetProperty(set.Get(), &device, SPDRP_HARDWAREID, ids) && CreateDriverKey(driverKey);
}

int RemoveAdapterDevices(const std::string& text) {
  int removed = 0;
  // One device a round, each on a fresh set, so a removal never disturbs the walk.
  while (removed < 256 && RemoveFirst(text)) ++removed;
  return removed;
}

}  // namespace tarnel::sim
