#include "profiles/ProfileStore.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/RegKey.h"
#include "profiles/DriverKey.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/RegistryValues.h"

namespace tarnel {

namespace {

constexpr char kProfileList[] = "ProfileList";
constexpr size_t kValueNameSize = 260;  // value names of up to 259 characters
constexpr size_t kKeyTextSize = 260;
constexpr char kRecentProfiles[] = "RecentProfiles";
constexpr size_t kRecentProfilesSize = kRecentProfileCount * kProfileNameBufferSize;

// A sub-key of the driver key, created when missing (only opened for reading when the store
// only reads); not open when either open fails.
RegKey OpenUnderDriverKey(const char* name) {
  RegKey driver = OpenDriverKey();
  if (!driver.IsOpen()) return RegKey();
  if (CurrentStoreAccess() == StoreAccess::kRead) return RegKey::Open(driver.Get(), name, KEY_READ);
  return RegKey::Create(driver.Get(), name);
}

// Names of the values in enumeration order, the unnamed value's empty name included. A name
// too long for the buffer is passed over rather than ending the walk, so one such value does
// not hide every profile after it.
std::vector<std::string> ValueNames(HKEY key) {
  std::vector<std::string> names;
  char name[kValueNameSize];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof(name);
    const LONG result =
        RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

void ReadKeyText(HKEY key, const char* name, std::string* out) {
  char text[kKeyTextSize];
  ReadText(key, name, text, sizeof(text));  // empty when unreadable
  *out = text;
}

std::vector<std::string> WithoutName(std::vector<std::string> names, const char* name) {
  // The registry's own match of names ignores letter case.
  names.erase(std::remove_if(names.begin(), names.end(),
                             [name](const std::string& n) { return ::lstrcmpiA(n.c_str(), name) == 0; }),
              names.end());
  return names;
}

void NoteCurrentProfile(const char* name) {
  RegKey driver = OpenDriverKey();
  if (!driver.IsOpen() || name[0] == '\0') return;
  std::vector<std::string> recent = WithoutName(ReadTexts(driver.Get(), kRecentProfiles, kRecentProfilesSize), name);
  recent.insert(recent.begin(), name);
  if (recent.size() > kRecentProfileCount) recent.resize(kRecentProfileCount);
  WriteTexts(driver.Get(), kRecentProfiles, recent);
}

void ForgetRecentProfile(HKEY driver, const char* name) {
  const std::vector<std::string> recent = ReadTexts(driver, kRecentProfiles, kRecentProfilesSize);
  const std::vector<std::string> kept = WithoutName(recent, name);
  if (kept.size() != recent.size()) WriteTexts(driver, kRecentProfiles, kept);
}

// "AUTOCONNECT" 1 is on, anything else off; "PRIORITY" 0 when unreadable.
void ReadAutoConnect(HKEY profile, bool* autoConnect, int32_t* priority) {
  int32_t on = 0;
  *autoConnect = ReadInt32(profile, "AUTOCONNECT", &on) && on == 1;
  if (!ReadInt32(profile, "PRIORITY", priority)) *priority = 0;
}

}  // namespace

void LoadProfileList() {
  RegKey list = OpenUnderDriverKey(kProfileList);
  if (!list.IsOpen()) return;
  ProfileNameList.clear();
  for (std::string& name : ValueNames(list.Get())) {
    if (!name.empty()) ProfileNameList.push_back(std::move(name));
  }
}

void AddToProfileList(const char* name) {
  RegKey list = OpenUnderDriverKey(kProfileList);
  if (!list.IsOpen()) return;
  WriteEmptyText(list.Get(), name);
  WriteText(list.Get(), nullptr, name);
  NoteCurrentProfile(name);
}

void ListProfileName(const char* name) {
  RegKey list = OpenUnderDriverKey(kProfileList);
  if (list.IsOpen()) WriteEmptyText(list.Get(), name);
}

void RemoveFromProfileList(const char* name) {
  RegKey list = OpenUnderDriverKey(kProfileList);
  if (!list.IsOpen()) return;

  const std::vector<std::string> names = ValueNames(list.Get());
  const int count = static_cast<int>(names.size());
  int found = -1;
  for (int index = 0; index < count; ++index) {
    if (names[index] == name) found = index;  // exact: the registry's own match ignores case
  }

  if (found < count - 1) {
    WriteText(list.Get(), nullptr, names[found + 1].c_str());
  } else if (found == count - 1 && found >= 1) {
    WriteText(list.Get(), nullptr, names[found - 1].c_str());
  }
  if (found != -1) RegDeleteValueA(list.Get(), names[found].c_str());
}

void DeleteProfileName(const char* name) {
  const std::string path = DriverKeyPath();
  if (path.empty()) return;
  RegKey list =
      RegKey::Open(HKEY_LOCAL_MACHINE, (path + "\\" + kProfileList).c_str(), StoreKeyAccess());
  if (list.IsOpen()) RegDeleteValueA(list.Get(), name);
}

void DeleteProfileKey(const char* name) {
  if (name[0] == '\0') return;  // an empty sub-key name would mean the driver key itself
  RegKey driver = OpenDriverKey();
  if (!driver.IsOpen()) return;
  RegDeleteKeyA(driver.Get(), name);
  ForgetRecentProfile(driver.Get(), name);
}

void LoadProfileSettings(const char* name, char* ssid, int32_t* netMode, int32_t* channel,
                         int32_t* txRate, int32_t* powerMode) {
  RegKey profile = OpenUnderDriverKey(name);
  if (!profile.IsOpen()) return;
  ReadText(profile.Get(), "SSID", ssid, kSsidBufferSize);  // all zero when unreadable
  if (!ReadInt32(profile.Get(), "NETMODE", netMode)) *netMode = 1;
  if (!ReadInt32(profile.Get(), "CHANNEL", channel)) *channel = 1;
  if (!ReadInt32(profile.Get(), "TXRATE", txRate)) *txRate = 0;
  if (!ReadInt32(profile.Get(), "POWERMODE", powerMode)) *powerMode = 0;
}

void SaveProfileSettings(const char* name, const char* ssid, int32_t netMode, int32_t channel,
                         int32_t txRate, int32_t powerMode) {
  RegKey profile = OpenUnderDriverKey(name);
  if (!profile.IsOpen()) return;
  WriteText(profile.Get(), "SSID", ssid);
  WriteInt32(profile.Get(), "NETMODE", netMode);
  WriteInt32(profile.Get(), "CHANNEL", channel);
  WriteInt32(profile.Get(), "TXRATE", txRate);
  WriteInt32(profile.Get(), "POWERMODE", powerMode);
}

void LoadProfileEncryption(const char* name, int32_t* wep, int32_t* keyIndex, std::string* key1,
                           std::string* key2, std::string* key3, std::string* key4,
                           std::string* passphrase) {
  RegKey profile = OpenUnderDriverKey(name);
  if (!profile.IsOpen()) return;
  if (!ReadInt32(profile.Get(), "WEP", wep)) *wep = -1;
  if (!ReadInt32(profile.Get(), "KEYINDEX", keyIndex)) *keyIndex = 1;
  ReadKeyText(profile.Get(), "KEY1", key1);
  ReadKeyText(profile.Get(), "KEY2", key2);
  ReadKeyText(profile.Get(), "KEY3", key3);
  ReadKeyText(profile.Get(), "KEY4", key4);
  ReadKeyText(profile.Get(), "PASSPHRASE", passphrase);
}

void SaveProfileEncryption(const char* name, int32_t wep, int32_t keyIndex, const char* key1,
                           const char* key2, const char* key3, const char* key4,
                           const char* passphrase) {
  RegKey profile = OpenUnderDriverKey(name);
  if (!profile.IsOpen()) return;
  WriteInt32(profile.Get(), "WEP", wep);
  WriteInt32(profile.Get(), "KEYINDEX", keyIndex);
  WriteText(profile.Get(), "KEY1", key1);
  WriteText(profile.Get(), "KEY2", key2);
  WriteText(profile.Get(), "KEY3", key3);
  WriteText(profile.Get(), "KEY4", key4);
  WriteText(profile.Get(), "PASSPHRASE", passphrase);
}

void LoadProfileAutoConnect(const char* name, bool* autoConnect, int32_t* priority) {
  RegKey profile = OpenUnderDriverKey(name);
  if (profile.IsOpen()) ReadAutoConnect(profile.Get(), autoConnect, priority);
}

void SaveProfileAutoConnect(const char* name, bool autoConnect, int32_t priority) {
  RegKey profile = OpenUnderDriverKey(name);
  if (!profile.IsOpen()) return;
  WriteInt32(profile.Get(), "AUTOCONNECT", autoConnect ? 1 : 0);
  WriteInt32(profile.Get(), "PRIORITY", priority);
}

std::vector<AutoConnectProfile> LoadAutoConnectProfiles() {
  std::vector<AutoConnectProfile> found;
  RegKey driver = OpenDriverKey();
  if (!driver.IsOpen()) return found;
  RegKey list = RegKey::Open(driver.Get(), kProfileList, KEY_READ);
  if (!list.IsOpen()) return found;
  for (const std::string& name : ValueNames(list.Get())) {
    if (name.empty()) continue;  // the current-profile record
    RegKey profile = RegKey::Open(driver.Get(), name.c_str(), KEY_READ);
    bool on = false;
    AutoConnectProfile entry;
    if (profile.IsOpen()) ReadAutoConnect(profile.Get(), &on, &entry.priority);
    if (!on) continue;
    entry.name = name;
    char ssid[kSsidBufferSize] = {};
    ReadText(profile.Get(), "SSID", ssid, sizeof(ssid));
    entry.ssid = ssid;
    if (!ReadInt32(profile.Get(), "NETMODE", &entry.netMode)) entry.netMode = 1;
    found.push_back(std::move(entry));
  }
  return found;
}

std::vector<std::string> LoadRecentProfiles() {
  RegKey driver = OpenDriverKey();
  if (!driver.IsOpen()) return {};
  return ReadTexts(driver.Get(), kRecentProfiles, kRecentProfilesSize);
}

void GetCurrentProfile(char* buffer) {
  {
    RegKey list = OpenUnderDriverKey(kProfileList);
    if (list.IsOpen()) {
      char current[kProfileNameBufferSize];
      if (ReadText(list.Get(), nullptr, current, sizeof(current))) {
        std::memcpy(buffer, current, sizeof(current));
      } else {
        std::strcpy(buffer, "Default");
      }
    }
  }
  if (buffer[0] == '\0') std::strcpy(buffer, "Default");
}

void SetCurrentProfile(const char* name) {
  RegKey list = OpenUnderDriverKey(kProfileList);
  if (!list.IsOpen()) return;
  WriteText(list.Get(), nullptr, name);
  NoteCurrentProfile(name);
}

}  // namespace tarnel
