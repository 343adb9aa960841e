#include "AdapterDevice.h"

#include <windows.h>
#include <setupapi.h>

#include <cstdio>
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

bool CreateKey(HKEY root, const std::string& path, const char* value = nullptr, const std::string& text = "") {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const bool set = !value || RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return set;
}

std::string ClassRoot() { return Reports9xFamily() ? k9xClassRoot : kNtClassRoot; }

// A 9x system enumerates the card afresh at each insertion: a live node under the dynamic root.
bool CreateDevNode(const std::string& hardwareId) {
  return CreateKey(HKEY_DYN_DATA, DevNodeKeyPath(kAdapterDevNode), "HardWareKey",
                   hardwareId + "\\" + kAdapterBusPlace);
}

// The platform's removal takes the network class's driver key when it is empty; on the 9x family
// the same goes for the driver key there, and the device node ends.
void RemoveNineKeys(const std::string& driverKey) {
  if (!Reports9xFamily()) return;
  if (!driverKey.empty()) RegDeleteKeyA(HKEY_LOCAL_MACHINE, (k9xClassRoot + driverKey).c_str());
  RegDeleteKeyA(HKEY_DYN_DATA, DevNodeKeyPath(kAdapterDevNode).c_str());
}

bool RemoveFirst(const std::string& text) {
  InfoSet set(SetupDiGetClassDevsA(&kNetClassGuid, nullptr, nullptr, DIGCF_PRESENT));
  if (!set.Valid()) return false;
  SP_DEVINFO_DATA device;
  for (DWORD index = 0;; ++index) {
    device.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!SetupDiEnumDeviceInfo(set.Get(), index, &device)) return false;
    char description[1024] = {0};
    char driverKey[1024] = {0};
    SetupDiGetDeviceRegistryPropertyA(set.Get(), &device, SPDRP_DEVICEDESC, nullptr,
                                      reinterpret_cast<BYTE*>(description), sizeof(description) - 1, nullptr);
    if (!std::strstr(description, text.c_str())) continue;
    SetupDiGetDeviceRegistryPropertyA(set.Get(), &device, SPDRP_DRIVER, nullptr, reinterpret_cast<BYTE*>(driverKey),
                                      sizeof(driverKey) - 1, nullptr);
    if (!SetupDiCallClassInstaller(DIF_REMOVE, set.Get(), &device)) return false;
    RemoveNineKeys(driverKey);
    return true;
  }
}

}  // namespace

std::string DevNodeKeyPath(uint32_t devNode) {
  char path[40];
  std::snprintf(path, sizeof(path), "Config Manager\\Enum\\%08lX", static_cast<unsigned long>(devNode));
  return path;
}

bool Reports9xFamily() { return (GetVersion() & 0x80000000u) != 0; }

std::string DefaultDriverKey() { return Reports9xFamily() ? "Net\\0001" : std::string(kNetClassKey) + "\\0001"; }

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
         SetProperty(set.Get(), &device, SPDRP_HARDWAREID, ids) &&
         CreateKey(HKEY_LOCAL_MACHINE, ClassRoot() + driverKey) && (!Reports9xFamily() || CreateDevNode(hardwareId));
}

int RemoveAdapterDevices(const std::string& text) {
  int removed = 0;
  // One device a round, each on a fresh set, so a removal never disturbs the walk.
  while (removed < 256 && RemoveFirst(text)) ++removed;
  return removed;
}

}  // namespace tarnel::sim
