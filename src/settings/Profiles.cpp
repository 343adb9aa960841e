#include "settings/Profiles.h"

#include <windows.h>

#include <algorithm>

#include "framework/RegKey.h"
#include "profiles/DriverKey.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"

namespace tarnel::settings {

void ReloadCurrentProfileName() {
  char name[kProfileNameBufferSize] = {};
  CurrentProfileName.copy(name, sizeof(name) - 1);
  GetCurrentProfile(name);
  name[sizeof(name) - 1] = '\0';
  CurrentProfileName = name;
}

void MakeCurrentProfile(const std::string& name) {
  SetCurrentProfile(name.c_str());
  CurrentProfileName = name;
}

void UseProfile(const std::string& name, const PageState& pages) {
  MakeCurrentProfile(name);
  ConfigurationValues configuration = pages.configuration;
  LoadConfiguration(name, &configuration);
  ApplyConfiguration(name, ConfigurationAsShown(configuration, pages.channelCount));

  EncryptionValues encryption;
  LoadEncryption(name, &encryption);
  ApplyEncryption(name, EncryptionAsShown(encryption, pages.keyIndex));
}

void RemoveProfile(const std::string& name) {
  RemoveFromProfileList(name.c_str());
  DeleteProfileName(name.c_str());
  DeleteProfileKey(name.c_str());
}

void SaveProfile(const std::string& name, const ConfigurationValues& configuration,
                 const EncryptionValues& encryption) {
  ListProfileName(name.c_str());
  SaveConfiguration(name, configuration);
  SaveEncryption(name, encryption);
}

void RemoveListedProfile(const std::string& name, const PageState& pages) {
  ReloadCurrentProfileName();
  const std::string current = CurrentProfileName;
  LoadProfileList();
  const std::vector<std::string> listed = ProfileNameList;
  const auto at = std::find(listed.begin(), listed.end(), name);
  if (at == listed.end()) return;
  RemoveProfile(name);
  // The registry's own match ignores letter case.
  if (::lstrcmpiA(current.c_str(), name.c_str()) != 0) return MakeCurrentProfile(current);

  const int next = SelectionAfterRemoval(static_cast<int>(at - listed.begin()), static_cast<int>(listed.size()));
  LoadProfileList();
  std::string chosen = "Default";
  if (!ProfileNameList.empty()) {
    if (next < 0 || next >= static_cast<int>(ProfileNameList.size())) return;  // changed meanwhile
    chosen = ProfileNameList[static_cast<size_t>(next)];
  }
  UseProfile(chosen, pages);
}

StoreRights CheckStoreRights() {
  const std::string path = DriverKeyPath();
  if (path.empty()) return StoreRights::kNoDriverKey;
  HKEY opened = nullptr;
  const LONG result = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &opened);
  RegKey key(result == ERROR_SUCCESS ? opened : nullptr);
  if (key.IsOpen()) return StoreRights::kWritable;
  return result == ERROR_FILE_NOT_FOUND ? StoreRights::kNoDriverKey : StoreRights::kDenied;
}

int SelectionAfterRemoval(int removed, int count) { return removed == count - 1 ? removed - 1 : removed; }

}  // namespace tarnel::settings
