// export and import: profiles to and from the profile file.
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/Commands.h"
#include "cli/portable/ProfileFile.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"
#include "settings/Profiles.h"

namespace tarnel::cli {
namespace {

ProfileRecord StoredRecord(const std::string& name, bool withKeys) {
  ProfileRecord record;
  record.name = name;
  record.withKeys = withKeys;
  settings::LoadConfiguration(name, &record.configuration);
  settings::LoadEncryption(name, &record.encryption);
  return record;
}

bool ReadWholeFile(const std::string& path, std::string* text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  text->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

// Without key lines, a profile keeps the keys it has (a new one starts with none).
void KeepStoredKeys(const std::string& existing, ProfileRecord* record) {
  if (record->withKeys || existing.empty()) return;
  settings::EncryptionValues stored;
  settings::LoadEncryption(existing, &stored);
  record->encryption.keys = stored.keys;
  record->encryption.passphrase = stored.passphrase;
}

}  // namespace

ExitCode RunExport(const CommandContext& c) {
  LoadProfileList();
  std::vector<std::string> names = ProfileNameList;
  if (!c.line.operands.empty()) names.clear();
  for (const std::string& wanted : c.line.operands) {
    const std::string name = ListedProfile(wanted);
    if (name.empty()) return c.Fail(kExitBadValue, "no listed profile named '" + wanted + "'");
    names.push_back(name);
  }
  std::vector<ProfileRecord> records;
  for (const std::string& name : names) records.push_back(StoredRecord(name, c.line.Has("--with-keys")));
  const std::string text = FormatProfileFile(records, c.channelPlan);
  if (!c.line.Has("-o")) {
    c.out << text;
    return kExitDone;
  }
  const std::string path = c.line.Value("-o");
  std::ofstream file(path);  // text mode: the platform's own line ends, as when output is redirected
  if (!(file << text) || !file.flush()) return c.Fail(kExitBadValue, "cannot write " + path);
  return kExitDone;
}

ExitCode RunImport(const CommandContext& c) {
  const std::string& path = c.line.operands[0];
  std::string text;
  if (!ReadWholeFile(path, &text)) return c.Fail(kExitBadValue, "cannot read " + path);
  ProfileFileReading reading = ReadProfileFile(text, c.channelPlan);
  if (!reading.error.empty())
    return c.Fail(kExitBadValue, path + ": line " + std::to_string(reading.line) + ": " + reading.error);

  // Everything is known to be usable before the first write.
  std::vector<std::string> existing;
  for (const ProfileRecord& record : reading.profiles) existing.push_back(ListedProfile(record.name));
  const bool replace = c.line.Has("--replace");
  BeginWriting();
  for (size_t i = 0; i < reading.profiles.size(); ++i) {
    ProfileRecord& record = reading.profiles[i];
    if (!existing[i].empty() && !replace) {
      c.out << "kept " << existing[i] << ": it exists (--replace replaces it)\n";
      continue;
    }
    KeepStoredKeys(existing[i], &record);
    const std::string name = existing[i].empty() ? record.name : existing[i];
    settings::SaveProfile(name, record.configuration, record.encryption);
    c.out << (existing[i].empty() ? "imported " : "replaced ") << name << "\n";
  }
  return kExitDone;
}

}  // namespace tarnel::cli
