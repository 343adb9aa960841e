// The profiles as the registry holds them under the adapter's driver key, read the way a person
// with a registry editor would: for checking what the program stored.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::test {

class StoredProfiles {
 public:
  // driverPath: the driver key below HKEY_LOCAL_MACHINE.
  explicit StoredProfiles(std::string driverPath) : m_driverPath(std::move(driverPath)) {}

  // A text value of a profile without its terminator, "<missing>" when it is not there.
  std::string Text(const std::string& profile, const char* value) const;
  // The exact bytes stored (a text with its terminator), "<missing>" when it is not there.
  std::string Bytes(const std::string& profile, const char* value) const;
  // A 32-bit value of a profile; fallback when it is missing or not 4 bytes long.
  int32_t Number(const std::string& profile, const char* value, int32_t fallback = INT32_MIN) const;
  bool HasProfile(const std::string& profile) const;

  // The named values of "ProfileList" in the registry's order.
  std::vector<std::string> Listed() const;
  // The current-profile record (the unnamed value), "<missing>" when it is not there.
  std::string Current() const;

 private:
  std::string m_driverPath;
};

}  // namespace tarnel::test
