// status, scan, join and radio: the adapter's own state and the networks in range.
#include <memory>

#include "cli/Commands.h"
#include "cli/portable/JsonWriter.h"
#include "cli/portable/TextTable.h"
#include "cli/portable/ValueText.h"
#include "settings/portable/LinkTexts.h"
#include "adapter/portable/SurveyRecord.h"
#include "profiles/ProfileGlobals.h"
#include "settings/AdapterState.h"
#include "settings/Profiles.h"
#include "settings/Survey.h"

namespace tarnel::cli {
namespace {

constexpr char kNoValue[] = "-";

std::string NetworkTypeText(int32_t type) { return type ? "Infrastructure" : "Ad Hoc"; }

void WriteStatusJson(const settings::AdapterState& s, std::ostream& out) {
  JsonWriter json;
  json.BeginObject().Key("link").String(LinkStatusText(s.linkState)).Key("linkState").Number(s.linkState);
  const auto textOrNull = [&](const char* key, bool known, const std::string& text) {
    json.Key(key);
    known ? json.String(text) : json.Null();
  };
  const auto numberOrNull = [&](const char* key, bool known, int64_t number) {
    json.Key(key);
    known ? json.Number(number) : json.Null();
  };
  textOrNull("ssid", s.linked, s.ssid);
  textOrNull("bssid", s.linked, s.bssid);
  textOrNull("networkType", s.linked, NetworkTypeText(s.networkType));
  numberOrNull("channel", s.linked, s.channel);
  textOrNull("rate", s.linked && !s.rate.empty(), s.rate + " Mbps");
  numberOrNull("quality", s.linked, s.quality);
  numberOrNull("signal", s.linked, s.signal);
  textOrNull("mac", !s.mac.empty(), s.mac);
  textOrNull("ip", !s.ip.empty(), s.ip);
  json.Key("radio").String(s.radioOff ? "off" : "on");
  json.Key("driverVersion").String(s.driverVersion);
  json.Key("systemManaged").Bool(s.systemManaged);
  out << json.EndObject().Text();
}

void WriteStatusTable(const settings::AdapterState& s, std::ostream& out) {
  const auto linked = [&](const std::string& text) { return s.linked && !text.empty() ? text : kNoValue; };
  TextTable table;
  table.AddRow({"Link", LinkStatusText(s.linkState)});
  table.AddRow({"SSID", linked(s.ssid)});
  table.AddRow({"BSSID", linked(s.bssid)});
  table.AddRow({"Type", linked(NetworkTypeText(s.networkType))});
  table.AddRow({"Channel", linked(std::to_string(s.channel))});
  table.AddRow({"Rate", linked(s.rate.empty() ? "" : s.rate + " Mbps")});
  table.AddRow({"Quality", linked(PercentText(s.quality))});
  table.AddRow({"Signal", linked(PercentText(s.signal))});
  table.AddRow({"MAC", s.mac.empty() ? kNoValue : s.mac});
  table.AddRow({"IP", s.ip.empty() ? kNoValue : s.ip});
  table.AddRow({"Radio", s.radioOff ? "off" : "on"});
  table.AddRow({"Driver", s.driverVersion.empty() ? kNoValue : s.driverVersion});
  table.AddRow({"Managed by system", s.systemManaged ? "yes" : "no"});
  out << table.Text();
}

struct Survey {
  settings::SurveyBuffer records;
  int count = 0;
};

std::unique_ptr<Survey> RunSurvey() {
  auto survey = std::make_unique<Survey>();
  survey->count = settings::RunSurvey(&survey->records);
  return survey;
}

void WriteScanJson(const Survey& survey, std::ostream& out) {
  JsonWriter json;
  json.BeginObject().Key("networks").BeginArray();
  for (int i = 0; i < survey.count; ++i) {
    const SiteSurveyEntry& record = survey.records[static_cast<size_t>(i)];
    const SurveyRow row = DecodeSurveyRecord(record);
    json.BeginObject()
        .Key("type").String(row.texts[kSurveyTypeColumn])
        .Key("ssid").String(row.texts[kSurveySsidColumn])
        .Key("bssid").String(row.texts[kSurveyBssidColumn])
        .Key("channel").Number(record.channel)
        .Key("signal").Number(record.signal)
        .Key("wep").Bool(record.wep != 0)
        .Key("rates").String(row.texts[kSurveyRatesColumn])
        .EndObject();
  }
  out << json.EndArray().EndObject().Text();
}

void WriteScanTable(const Survey& survey, std::ostream& out) {
  TextTable table;
  std::vector<std::string> headings;
  for (const SurveyColumnLayout& column : kSurveyColumns) headings.push_back(column.heading);
  table.AddRow(headings);
  for (int i = 0; i < survey.count; ++i) {
    const SurveyRow row = DecodeSurveyRecord(survey.records[static_cast<size_t>(i)]);
    table.AddRow(std::vector<std::string>(row.texts.begin(), row.texts.end()));
  }
  out << table.Text();
}

}  // namespace

ExitCode RunStatus(const CommandContext& c) {
  const settings::AdapterState state = settings::ReadAdapterState();
  c.line.Has("--json") ? WriteStatusJson(state, c.out) : WriteStatusTable(state, c.out);
  return kExitDone;
}

ExitCode RunScan(const CommandContext& c) {
  const std::unique_ptr<Survey> survey = RunSurvey();
  c.line.Has("--json") ? WriteScanJson(*survey, c.out) : WriteScanTable(*survey, c.out);
  return kExitDone;
}

ExitCode RunJoin(const CommandContext& c) {
  const std::string& ssid = c.line.operands[0];
  const std::unique_ptr<Survey> survey = RunSurvey();
  const int row = settings::FindSurveyRow(survey->records, survey->count, ssid);
  if (row < 0) return c.Fail(kExitBadValue, "'" + ssid + "' is not in range (nvkctl scan lists what is)");
  BeginWriting();
  settings::ReloadCurrentProfileName();
  settings::JoinNetwork(CurrentProfileName, survey->records[static_cast<size_t>(row)]);
  c.out << "joining " << ssid << " (stored in profile " << CurrentProfileName << ")\n";
  return kExitDone;
}

ExitCode RunRadio(const CommandContext& c) {
  const bool on = SameTextIgnoringCase(c.line.operands[0], "on");
  settings::SwitchRadio(on);
  c.out << "radio " << (on ? "on" : "off") << "\n";
  return kExitDone;
}

}  // namespace tarnel::cli
