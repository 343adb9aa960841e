// A network-class device registered through the device installation interface for the length
// of a test, with its description, driver key text and hardware id; removed (DIF_REMOVE, which
// also looks like an unplug) when the fixture goes.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::test {

// {4D36E972-E325-11CE-BFC1-08002BE10318}, the class the adapter is looked for in.
extern const GUID kNetClassGuid;
extern const char kNetClassKeyName[];  // the same GUID as a registry key name

class DeviceFixture {
 public:
  DeviceFixture(const std::string& description, const std::string& driverKey,
                const std::string& hardwareId = std::string());
  ~DeviceFixture();

  DeviceFixture(const DeviceFixture&) = delete;
  DeviceFixture& operator=(const DeviceFixture&) = delete;

  bool Registered() const { return registered_; }
  std::string InstanceId() const;

  // Removes present network devices whose description contains text: what a crashed run left.
  static void RemoveAll(const std::string& text);

  // Instance ids of the present network devices in enumeration order.
  static std::vector<std::string> PresentInstanceIds();

 private:
  HDEVINFO set_ = INVALID_HANDLE_VALUE;
  SP_DEVINFO_DATA device_ = {};
  bool registered_ = false;
};

}  // namespace tarnel::test
