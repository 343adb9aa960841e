// Named profiles and the current-profile record, kept as registry values under the adapter's
// driver key. Every operation finds that key afresh, closes what it opened before it returns,
// and fails silently: outputs then keep the caller's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel {

constexpr size_t kSsidBufferSize = 33;          // 32 characters and the terminator
constexpr size_t kProfileNameBufferSize = 260;  // GetCurrentProfile's buffer

// Refills ProfileNameList from the named values of "ProfileList".
void LoadProfileList();

// Lists the name (once, whatever its letter case) and makes it the current profile.
void AddToProfileList(const char* name);

// Lists the name (once, whatever its letter case) and leaves the current profile as it is.
void ListProfileName(const char* name);

// Moves the current-profile record to a neighbouring value, then deletes the name's value.
void RemoveFromProfileList(const char* name);

// Deletes the name's value from "ProfileList", if that key exists.
void DeleteProfileName(const char* name);

// Deletes the profile's sub-key under the driver key.
void DeleteProfileKey(const char* name);

// ssid: at least kSsidBufferSize bytes.
void LoadProfileSettings(const char* name, char* ssid, int32_t* netMode, int32_t* channel,
                         int32_t* txRate, int32_t* powerMode);
void SaveProfileSettings(const char* name, const char* ssid, int32_t netMode, int32_t channel,
                         int32_t txRate, int32_t powerMode);

void LoadProfileEncryption(const char* name, int32_t* wep, int32_t* keyIndex, std::string* key1,
                           std::string* key2, std::string* key3, std::string* key4,
                           std::string* passphrase);
void SaveProfileEncryption(const char* name, int32_t wep, int32_t keyIndex, const char* key1,
                           const char* key2, const char* key3, const char* key4,
                           const char* passphrase);

// "AUTOCONNECT" (1 on, anything else off) and "PRIORITY" (higher preferred) beside the
// profile's other values; off and 0 when missing or unreadable.
void LoadProfileAutoConnect(const char* name, bool* autoConnect, int32_t* priority);
void SaveProfileAutoConnect(const char* name, bool autoConnect, int32_t priority);

// A listed profile with "AUTOCONNECT" on: what choosing among them needs.
struct AutoConnectProfile {
  std::string name;
  std::string ssid;
  int32_t netMode = 1;
  int32_t priority = 0;
};
// The listed profiles with "AUTOCONNECT" on, in the list's order. One look-up of the driver key
// for them all, read access only: a machine may hold thousands of profiles.
std::vector<AutoConnectProfile> LoadAutoConnectProfiles();

// Names in the order they were last made current, the latest first, once each whatever their
// letter case, at most kRecentProfileCount ("RecentProfiles" under the driver key). Making a
// profile current notes it; deleting its settings forgets it.
constexpr size_t kRecentProfileCount = 64;
std::vector<std::string> LoadRecentProfiles();

// buffer: kProfileNameBufferSize bytes holding the caller's present name, which is kept when
// the registry cannot be reached; "Default" whenever the result would be empty.
void GetCurrentProfile(char* buffer);
void SetCurrentProfile(const char* name);

}  // namespace tarnel
