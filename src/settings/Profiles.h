// Which profile is current, switching to another and removing one. A switch applies both halves
// of the profile exactly as the pages would after the user picked it from the list.
#pragma once

#include <cstdint>
#include <string>

#include "settings/Configuration.h"
#include "settings/Encryption.h"

namespace tarnel::settings {

// What the pages hold when a switch starts: their settings stay where the store cannot be read,
// and their default key where a stored one has no radio button.
struct PageState {
  int channelCount = 0;  // entries of the channel list
  ConfigurationValues configuration;
  int32_t keyIndex = -1;
};

// CurrentProfileName from the registry's current-profile record; kept when it cannot be read.
void ReloadCurrentProfileName();

// Records name as current, in the registry and for the pages.
void MakeCurrentProfile(const std::string& name);

// Makes name current, then applies its network settings and its encryption as the pages show
// them: both are stored again and sent to the driver.
void UseProfile(const std::string& name, const PageState& pages);

// Takes name out of the list and deletes its stored settings. The current-profile record moves
// to a neighbour first.
void RemoveProfile(const std::string& name);

// Lists name and saves both halves under it as they are: nothing is sent and the current profile
// stays.
void SaveProfile(const std::string& name, const ConfigurationValues& configuration,
                 const EncryptionValues& encryption);

// Removes a listed profile. When it was current, the entry that takes its place in the list (or
// "Default" when none is left) becomes current and is applied, as after the Remove button;
// otherwise the current profile stays current and nothing is sent.
void RemoveListedProfile(const std::string& name, const PageState& pages);

// Whether the store's writes can be made: the driver key opened with the access every store
// write asks for.
enum class StoreRights { kWritable, kDenied, kNoDriverKey };
StoreRights CheckStoreRights();

// The list entry selected after entry `removed` of `count` is deleted: the one that moved into
// its place, or the one before it when it was the last; -1 when the list is empty.
int SelectionAfterRemoval(int removed, int count);

}  // namespace tarnel::settings
