#include "DeviceFixture.h"

#include <cfgmgr32.h>

#include <cstring>

#include "AdapterDevice.h"
#include "adapter/DeviceInfoSet.h"

namespace tarnel::test {

const GUID kNetClassGuid = {0x4D36E972, 0xE325, 0x11CE,
                            {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
const char kNetClassKeyName[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

namespace {

bool SetText(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property, const std::string& text) {
  return SetupDiSetDeviceRegistryPropertyA(set, device, property,
                                           reinterpret_cast<const BYTE*>(text.c_str()),
                                           static_cast<DWORD>(text.size() + 1)) != FALSE;
}

std::string InstanceIdOf(HDEVINFO set, SP_DEVINFO_DATA* device) {
  char id[MAX_DEVICE_ID_LEN + 1] = {};
  SetupDiGetDeviceInstanceIdA(set, device, id, sizeof(id), nullptr);
  return id;
}

}  // namespace

DeviceFixture::DeviceFixture(const std::string& description, const std::string& driverKey,
                             const std::string& hardwareId) {
  set_ = SetupDiCreateDeviceInfoList(&kNetClassGuid, nullptr);
  if (set_ == INVALID_HANDLE_VALUE) return;
  device_.cbSize = sizeof(SP_DEVINFO_DATA);
  if (!SetupDiCreateDeviceInfoA(set_, "NET", &kNetClassGuid, description.c_str(), nullptr,
                                DICD_GENERATE_ID, &device_)) {
    return;
  }
  if (!SetupDiRegisterDeviceInfo(set_, &device_, 0, nullptr, nullptr, nullptr)) return;
  registered_ = true;
  SetText(set_, &device_, SPDRP_DEVICEDESC, description);
  if (!driverKey.empty()) SetText(set_, &device_, SPDRP_DRIVER, driverKey);
  if (!hardwareId.empty()) {
    // A multi-string: the id, then an empty string.
    std::string ids = hardwareId;
    ids.push_back('\0');
    SetupDiSetDeviceRegistryPropertyA(set_, &device_, SPDRP_HARDWAREID,
                                      reinterpret_cast<const BYTE*>(ids.c_str()),
                                      static_cast<DWORD>(ids.size() + 1));
  }
}

DeviceFixture::~DeviceFixture() {
  if (set_ == INVALID_HANDLE_VALUE) return;
  if (registered_) SetupDiCallClassInstaller(DIF_REMOVE, set_, &device_);
  SetupDiDestroyDeviceInfoList(set_);
}

std::string DeviceFixture::InstanceId() const {
  SP_DEVINFO_DATA device = device_;
  return InstanceIdOf(set_, &device);
}

void DeviceFixture::RemoveAll(const std::string& text) { sim::RemoveAdapterDevices(text); }

std::vector<std::string> DeviceFixture::PresentInstanceIds() {
  std::vector<std::string> ids;
  DeviceInfoSet set = DeviceInfoSet::PresentOfClass(kNetClassGuid);
  if (!set.IsValid()) return ids;
  SP_DEVINFO_DATA device;
  for (DWORD index = 0;; ++index) {
    device.cbSize = sizeof(SP_DEVINFO_DATA);
    if (!SetupDiEnumDeviceInfo(set.Get(), index, &device)) return ids;
    ids.push_back(InstanceIdOf(set.Get(), &device));
  }
}

}  // namespace tarnel::test
