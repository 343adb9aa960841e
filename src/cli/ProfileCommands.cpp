// profile list, show, set, use and remove.
#include "cli/Commands.h"
#include "cli/portable/JsonWriter.h"
#include "cli/portable/TextTable.h"
#include "cli/portable/ValueText.h"
#include "settings/portable/ProfileName.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"
#include "settings/Profiles.h"

namespace tarnel::cli {
namespace {

using settings::ConfigurationValues;
using settings::EncryptionValues;

struct AutoConnection {
  bool on = false;
  int32_t priority = 0;
};

bool IsCurrent(const std::string& name) { return SameTextIgnoringCase(name, CurrentProfileName); }

// A listed profile, or the current one (which may be an unlisted "Default"), in its stored
// spelling; empty when name is neither.
std::string KnownProfile(const std::string& name) {
  settings::ReloadCurrentProfileName();
  const std::string listed = ListedProfile(name);
  if (!listed.empty()) return listed;
  return IsCurrent(name) ? CurrentProfileName : std::string();
}

// No page holds anything: a switch starts from the store's defaults and no default key.
settings::PageState CommandLinePages(const std::vector<int>& plan) {
  return settings::PageState{static_cast<int>(plan.size()), ConfigurationValues{}, -1};
}

void WriteShowJson(const std::string& name, const ConfigurationValues& c, const EncryptionValues& e,
                   const std::vector<int>& plan, bool showKeys, std::ostream& out) {
  JsonWriter json;
  const auto listValue = [&](const char* key, const std::string& text) {
    json.Key(key);
    text == kNoneText ? json.Null() : json.String(text);
  };
  json.BeginObject().Key("name").String(name).Key("current").Bool(IsCurrent(name)).Key("ssid").String(c.ssid);
  listValue("mode", ListText(NetModeList(), c.netMode));
  json.Key("channel");
  const std::string channel = ChannelText(plan, c.channel);
  channel == kNoneText ? json.Null() : json.Number(std::stoi(channel));
  listValue("rate", ListText(TxRateList(), c.txRate));
  listValue("power", ListText(PowerModeList(), c.powerMode));
  json.Key("auto").Bool(c.autoConnect).Key("priority").Number(c.priority);
  listValue("encryption", FormatText(e.format));
  json.Key("defaultKey");
  e.keyIndex >= 0 && e.keyIndex <= 3 ? json.Number(e.keyIndex + 1) : json.Null();
  json.Key("keys");
  if (showKeys) {
    json.BeginArray();
    for (const std::string& key : e.keys) json.String(key);
    json.EndArray().Key("passphrase").String(e.passphrase);
  } else {
    json.Null().Key("passphrase").Null();
  }
  out << json.EndObject().Text();
}

void WriteShowTable(const std::string& name, const ConfigurationValues& c, const EncryptionValues& e,
                    const std::vector<int>& plan, bool showKeys, std::ostream& out) {
  TextTable table;
  table.AddRow({"Profile", name + (IsCurrent(name) ? " (current)" : "")});
  table.AddRow({"SSID", c.ssid});
  table.AddRow({"Mode", ListText(NetModeList(), c.netMode)});
  table.AddRow({"Channel", ChannelText(plan, c.channel)});
  table.AddRow({"Rate", ListText(TxRateList(), c.txRate)});
  table.AddRow({"Power", ListText(PowerModeList(), c.powerMode)});
  table.AddRow({"Auto connect", AutoText(c.autoConnect)});
  table.AddRow({"Priority", std::to_string(c.priority)});
  table.AddRow({"Encryption", FormatText(e.format)});
  table.AddRow({"Default key", DefaultKeyText(e.keyIndex)});
  if (showKeys) {
    for (size_t i = 0; i < e.keys.size(); ++i) table.AddRow({"Key " + std::to_string(i + 1), e.keys[i]});
    table.AddRow({"Passphrase", e.passphrase});
  } else {
    table.AddRow({"Keys", "hidden (--show-keys shows them)"});
  }
  out << table.Text();
}

}  // namespace

ExitCode RunProfileList(const CommandContext& c) {
  settings::ReloadCurrentProfileName();
  LoadProfileList();
  std::vector<AutoConnection> autos(ProfileNameList.size());
  for (size_t i = 0; i < autos.size(); ++i)
    LoadProfileAutoConnect(ProfileNameList[i].c_str(), &autos[i].on, &autos[i].priority);
  if (c.line.Has("--json")) {
    JsonWriter json;
    json.BeginObject().Key("current").String(CurrentProfileName).Key("profiles").BeginArray();
    for (size_t i = 0; i < autos.size(); ++i) {
      const std::string& name = ProfileNameList[i];
      json.BeginObject().Key("name").String(name).Key("current").Bool(IsCurrent(name));
      json.Key("auto").Bool(autos[i].on).Key("priority").Number(autos[i].priority).EndObject();
    }
    c.out << json.EndArray().EndObject().Text();
    return kExitDone;
  }
  bool currentListed = false;
  TextTable table;
  table.AddRow({"  Profile", "Auto", "Priority"});
  for (size_t i = 0; i < autos.size(); ++i) {
    const std::string& name = ProfileNameList[i];
    currentListed = currentListed || IsCurrent(name);
    table.AddRow({(IsCurrent(name) ? "* " : "  ") + name, AutoText(autos[i].on), std::to_string(autos[i].priority)});
  }
  c.out << table.Text();
  if (!currentListed) c.out << "(current: " << CurrentProfileName << ", not listed)\n";
  return kExitDone;
}

ExitCode RunProfileShow(const CommandContext& c) {
  const std::string name = KnownProfile(c.line.operands[0]);
  if (name.empty()) return c.Fail(kExitBadValue, "no profile named '" + c.line.operands[0] + "'");
  ConfigurationValues configuration;
  EncryptionValues encryption;
  settings::LoadConfiguration(name, &configuration);
  settings::LoadEncryption(name, &encryption);
  const bool showKeys = c.line.Has("--show-keys");
  if (c.line.Has("--json"))
    WriteShowJson(name, configuration, encryption, c.channelPlan, showKeys, c.out);
  else
    WriteShowTable(name, configuration, encryption, c.channelPlan, showKeys, c.out);
  return kExitDone;
}

ExitCode RunProfileSet(const CommandContext& c) {
  const std::string& given = c.line.operands[0];
  if (!IsUsableProfileName(given))
    return c.Fail(kExitBadValue, "'" + given + "' cannot name a profile (1 to 255 characters, no backslash)");
  const std::string listed = ListedProfile(given);
  const std::string name = listed.empty() ? given : listed;
  // Read without writing: a profile not stored yet keeps the store's defaults.
  ConfigurationValues configuration;
  EncryptionValues encryption;
  settings::LoadConfiguration(name, &configuration);
  settings::LoadEncryption(name, &encryption);
  const std::string problem = ApplyEdits(c.line.edits, c.channelPlan, &configuration, &encryption);
  if (!problem.empty()) return c.Fail(kExitBadValue, problem);
  BeginWriting();
  settings::SaveProfile(name, configuration, encryption);
  c.out << "profile " << name << (listed.empty() ? " created" : " changed") << "; nothing sent to the adapter\n";
  return kExitDone;
}

ExitCode RunProfileUse(const CommandContext& c) {
  const std::string name = KnownProfile(c.line.operands[0]);
  if (name.empty()) return c.Fail(kExitBadValue, "no profile named '" + c.line.operands[0] + "'");
  BeginWriting();
  settings::UseProfile(name, CommandLinePages(c.channelPlan));
  c.out << "profile " << name << " is current and applied\n";
  return kExitDone;
}

ExitCode RunProfileRemove(const CommandContext& c) {
  const std::string name = ListedProfile(c.line.operands[0]);
  if (name.empty()) return c.Fail(kExitBadValue, "no listed profile named '" + c.line.operands[0] + "'");
  settings::ReloadCurrentProfileName();
  const bool wasCurrent = IsCurrent(name);
  BeginWriting();
  settings::RemoveListedProfile(name, CommandLinePages(c.channelPlan));
  settings::ReloadCurrentProfileName();
  c.out << "profile " << name << " removed";
  if (wasCurrent) c.out << "; " << CurrentProfileName << " is current and applied";
  c.out << "\n";
  return kExitDone;
}

}  // namespace tarnel::cli
