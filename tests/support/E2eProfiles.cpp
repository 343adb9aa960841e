#include "E2eProfiles.h"

#include <cstring>

#include "framework/RegKey.h"

namespace tarnel::test {

namespace {

constexpr char kMissing[] = "<missing>";

std::string ReadBytes(const std::string& path, const char* value) {
  RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ);
  std::string data(1024, '\0');
  DWORD size = static_cast<DWORD>(data.size());
  if (!key.IsOpen() ||
      ::RegQueryValueExA(key.Get(), value, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
    return kMissing;
  data.resize(size);
  return data;
}

std::string WithoutTerminator(std::string text) {
  if (text != kMissing && !text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

}  // namespace

std::string StoredProfiles::Bytes(const std::string& profile, const char* value) const {
  return ReadBytes(m_driverPath + "\\" + profile, value);
}

std::string StoredProfiles::Text(const std::string& profile, const char* value) const {
  return WithoutTerminator(Bytes(profile, value));
}

int32_t StoredProfiles::Number(const std::string& profile, const char* value, int32_t fallback) const {
  const std::string data = Bytes(profile, value);
  int32_t number = fallback;
  if (data.size() == sizeof(number)) std::memcpy(&number, data.data(), sizeof(number));
  return number;
}

bool StoredProfiles::HasProfile(const std::string& profile) const {
  return RegKey::Open(HKEY_LOCAL_MACHINE, (m_driverPath + "\\" + profile).c_str(), KEY_READ).IsOpen();
}

std::vector<std::string> StoredProfiles::Listed() const {
  std::vector<std::string> names;
  RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, (m_driverPath + "\\ProfileList").c_str(), KEY_READ);
  if (!key.IsOpen()) return names;
  for (DWORD index = 0;; ++index) {
    char name[512] = {0};
    DWORD length = sizeof(name);
    if (::RegEnumValueA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (name[0]) names.emplace_back(name);
  }
  return names;
}

std::string StoredProfiles::Current() const {
  return WithoutTerminator(ReadBytes(m_driverPath + "\\ProfileList", ""));
}

}  // namespace tarnel::test
