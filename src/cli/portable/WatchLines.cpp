#include "cli/portable/WatchLines.h"

#include <cstdio>
#include <vector>

#include "cli/portable/JsonWriter.h"
#include "cli/portable/QuotedText.h"
#include "settings/portable/LinkTexts.h"

namespace tarnel::cli {
namespace {

// One field: a text (quoted in the text form when quote), a number, or null.
struct Field {
  const char* key;
  enum class Kind { kText, kWord, kNumber, kNull } kind;
  std::string text;
  int64_t number = 0;
};

Field Text(const char* key, const std::string& text) { return {key, Field::Kind::kText, text}; }
Field Word(const char* key, const std::string& text) { return {key, Field::Kind::kWord, text}; }
Field Number(const char* key, int64_t number) { return {key, Field::Kind::kNumber, std::string(), number}; }
Field Null(const char* key) { return {key, Field::Kind::kNull, std::string()}; }

void AddLink(const LinkReading& link, bool figures, std::vector<Field>* fields) {
  fields->push_back(Text("ssid", link.ssid));
  fields->push_back(Word("bssid", link.bssid));
  if (!figures) return;
  fields->push_back(Number("channel", link.channel));
  fields->push_back(Number("signal", link.signal));
  fields->push_back(Number("quality", link.quality));
}

std::vector<Field> FieldsOf(const LinkEvent& event) {
  std::vector<Field> fields;
  const LinkReading& link = event.link;
  switch (event.kind) {
    case LinkEventKind::kState:
      fields.push_back(Word("adapter", link.adapterPresent ? "present" : "absent"));
      fields.push_back(Word("radio", link.radioOff ? "off" : "on"));
      fields.push_back(Text("link", link.adapterPresent ? LinkStatusText(link.linkState) : "Adapter not present"));
      if (link.linked && link.adapterPresent) {
        AddLink(link, true, &fields);
      } else {
        for (const char* key : {"ssid", "bssid", "channel", "signal", "quality"}) fields.push_back(Null(key));
      }
      break;
    case LinkEventKind::kConnected:
      AddLink(link, true, &fields);
      break;
    case LinkEventKind::kLost:
      AddLink(link, false, &fields);
      break;
    case LinkEventKind::kRoamed:
      AddLink(link, true, &fields);
      fields.push_back(Word("previousBssid", event.previousBssid));
      break;
    case LinkEventKind::kChannel:
      AddLink(link, true, &fields);
      fields.push_back(Number("previousChannel", event.previousChannel));
      break;
    case LinkEventKind::kProfile:
      fields.push_back(Text("name", event.profile));
      fields.push_back(Text("ssid", link.ssid));
      break;
    case LinkEventKind::kUnstable:
      fields.push_back(Text("ssid", link.ssid));
      break;
    default:
      break;
  }
  return fields;
}

std::string Line(const char* name, const std::vector<Field>& fields, const std::string& time, bool json) {
  if (json) {
    JsonWriter writer;
    writer.BeginObject().Key("time").String(time).Key("event").String(name);
    for (const Field& f : fields) {
      writer.Key(f.key);
      switch (f.kind) {
        case Field::Kind::kText:
        case Field::Kind::kWord: writer.String(f.text); break;
        case Field::Kind::kNumber: writer.Number(f.number); break;
        case Field::Kind::kNull: writer.Null(); break;
      }
    }
    return writer.EndObject().Text();
  }
  std::string line = time + " " + name;
  for (const Field& f : fields) {
    if (f.kind == Field::Kind::kNull) continue;  // the text form leaves out what is not there
    line += std::string(" ") + f.key + "=";
    switch (f.kind) {
      case Field::Kind::kText: line += QuotedText(f.text, "\\x%02X"); break;
      case Field::Kind::kWord: line += f.text; break;
      default: line += std::to_string(f.number); break;
    }
  }
  return line + "\n";
}

}  // namespace

std::string TimestampText(const LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof(text), "%04d-%02d-%02dT%02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, t.millisecond);
  return text;
}

std::string EventLine(const LinkEvent& event, const std::string& time, bool json) {
  return Line(LinkEventName(event.kind), FieldsOf(event), time, json);
}

std::string SampleLine(const LinkReading& reading, const std::string& time, bool json) {
  const bool linked = reading.adapterPresent && reading.linked;
  return Line("sample", {Number("signal", linked ? reading.signal : 0), Number("quality", linked ? reading.quality : 0)},
              time, json);
}

}  // namespace tarnel::cli
