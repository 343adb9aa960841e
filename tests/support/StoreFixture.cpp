#include "StoreFixture.h"

#include <windows.h>

#include "adapter/AdapterDiscovery.h"
#include "framework/RegKey.h"
#include "profiles/ProfileGlobals.h"

namespace tarnel::test {
namespace {

void SetValue(const std::string& path, const char* name, DWORD type, const void* data, size_t size) {
  RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, path.c_str());
  ::RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
}

void SetText(const std::string& path, const char* name, const std::string& text) {
  SetValue(path, name, REG_SZ, text.c_str(), text.size() + 1);
}

void SetNumber(const std::string& path, const char* name, int32_t value) {
  SetValue(path, name, REG_DWORD, &value, sizeof(value));
}

}  // namespace

StoreFixture::FreshGlobals::FreshGlobals() {
  DeviceFixture::RemoveAll(kAdapterDescriptionText);
  AdapterDescription.clear();
  ProfileNameList.clear();
  CurrentProfileName = "Default";
}

StoreFixture::StoreFixture(const std::string& instance)
    : ProfileWriter(std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\") + kNetClassKeyName + "\\" + instance),
      device_(kAdapterDescriptionText, std::string(kNetClassKeyName) + "\\" + instance, AdapterHardwareId),
      key_(HKEY_LOCAL_MACHINE, DriverPath()) {}

void ProfileWriter::AddProfile(const std::string& name, const std::string& ssid, bool autoConnect, int32_t priority,
                              int32_t netMode) {
  SetText(path_ + "\\ProfileList", name.c_str(), "");
  const std::string profile = path_ + "\\" + name;
  SetText(profile, "SSID", ssid);
  SetNumber(profile, "NETMODE", netMode);
  SetNumber(profile, "CHANNEL", 1);
  SetNumber(profile, "TXRATE", 0);
  SetNumber(profile, "POWERMODE", 0);
  SetNumber(profile, "AUTOCONNECT", autoConnect ? 1 : 0);
  SetNumber(profile, "PRIORITY", priority);
}

void ProfileWriter::SetAutoConnect(const std::string& name, bool on) {
  SetNumber(path_ + "\\" + name, "AUTOCONNECT", on ? 1 : 0);
}

void ProfileWriter::SetCurrent(const std::string& name) { SetText(path_ + "\\ProfileList", "", name); }

void ProfileWriter::SetRecent(const std::vector<std::string>& names) {
  std::string data;
  for (const std::string& name : names) data += name + '\0';
  data += '\0';
  SetValue(path_, "RecentProfiles", REG_MULTI_SZ, data.data(), data.size());
}

std::string ProfileWriter::Current() const {
  RegKey list = RegKey::Open(HKEY_LOCAL_MACHINE, (path_ + "\\ProfileList").c_str(), KEY_READ);
  char text[300] = {};
  DWORD size = sizeof(text) - 1;
  if (!list.IsOpen() || ::RegQueryValueExA(list.Get(), "", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size))
    return "<none>";
  return text;
}

}  // namespace tarnel::test
