#include "adapter/DeviceInfoSet.h"

#include <utility>

namespace tarnel {

DeviceInfoSet::~DeviceInfoSet() { Destroy(); }

DeviceInfoSet::DeviceInfoSet(DeviceInfoSet&& other) noexcept
    : set_(std::exchange(other.set_, INVALID_HANDLE_VALUE)) {}

DeviceInfoSet& DeviceInfoSet::operator=(DeviceInfoSet&& other) noexcept {
  if (this != &other) {
    Destroy();
    set_ = std::exchange(other.set_, INVALID_HANDLE_VALUE);
  }
  return *this;
}

DeviceInfoSet DeviceInfoSet::PresentOfClass(const GUID& classGuid) {
  return DeviceInfoSet(SetupDiGetClassDevsA(&classGuid, nullptr, nullptr, DIGCF_PRESENT));
}

void DeviceInfoSet::Destroy() {
  if (set_ != INVALID_HANDLE_VALUE) {
    SetupDiDestroyDeviceInfoList(set_);
    set_ = INVALID_HANDLE_VALUE;
  }
}

}  // namespace tarnel
