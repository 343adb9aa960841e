#include "settings/Profiles.h"

#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"
#include "settings/Encryption.h"

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

int SelectionAfterRemoval(int removed, int count) { return removed == count - 1 ? removed - 1 : removed; }

}  // namespace tarnel::settings
