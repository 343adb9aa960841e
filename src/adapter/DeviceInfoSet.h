// Owner of one device information set: released when it goes out of scope, on every path.
#pragma once

#include <windows.h>
#include <setupapi.h>

namespace tarnel {

class DeviceInfoSet {
 public:
  DeviceInfoSet() = default;
  explicit DeviceInfoSet(HDEVINFO set) : set_(set) {}
  ~DeviceInfoSet();

  DeviceInfoSet(DeviceInfoSet&& other) noexcept;
  DeviceInfoSet& operator=(DeviceInfoSet&& other) noexcept;
  DeviceInfoSet(const DeviceInfoSet&) = delete;
  DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;

  HDEVINFO Get() const { return set_; }
  bool IsValid() const { return set_ != INVALID_HANDLE_VALUE; }

  // The present devices of one setup class.
  static DeviceInfoSet PresentOfClass(const GUID& classGuid);

 private:
  void Destroy();

  HDEVINFO set_ = INVALID_HANDLE_VALUE;
};

}  // namespace tarnel
