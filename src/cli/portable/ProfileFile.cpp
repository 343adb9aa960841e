#include "cli/portable/ProfileFile.h"

#include <array>
#include <map>
#include <sstream>

#include "cli/portable/QuotedText.h"
#include "cli/portable/ValueText.h"
#include "crypto/HexKey.h"
#include "crypto/PassphraseKeys.h"
#include "settings/portable/ProfileName.h"

namespace tarnel::cli {
namespace {

// The first line: the prefix and the version, which is what export writes.
constexpr char kHeaderPrefix[] = "nvkctl profiles ";
constexpr int kVersion = 2;
const char* const kRequired[] = {"ssid", "mode", "channel", "rate", "power", "auto", "priority", "encryption", "default-key"};
// What version 1 files lack: such profiles read as not connecting automatically, priority 0.
const char* const kSinceVersion2[] = {"auto", "priority"};
const char* const kKeyFields[] = {"key1", "key2", "key3", "key4", "passphrase"};

std::string Quoted(const std::string& text) { return QuotedText(text, "\\x%02X"); }

// Two hex digits as one byte; -1 when they are not hex digits.
int HexByte(char high, char low) {
  const char digits[] = {high, low, '\0'};
  if (high == '\0' || low == '\0' || !IsHexText(digits)) return -1;  // "" would count as hex
  return HexDigitValue(high) * 16 + HexDigitValue(low);
}

// The text between the quotes with its escapes resolved, or a problem.
std::string Unquoted(const std::string& value, std::string* text) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return "a quoted text was expected";
  text->clear();
  for (size_t i = 1; i + 1 < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') return "a quote inside a text must be written \\\"";
    if (c == '\0') return "a NUL byte cannot be stored";
    if (c != '\\') {
      *text += c;
      continue;
    }
    if (i + 2 >= value.size()) return "the text ends in a lone backslash";
    const char next = value[++i];
    if (next == '\\' || next == '"') {
      *text += next;
    } else if (next == 'x' && i + 3 < value.size() && HexByte(value[i + 1], value[i + 2]) >= 0) {
      const int byte = HexByte(value[i + 1], value[i + 2]);
      if (byte == 0) return "a NUL byte cannot be stored";
      *text += static_cast<char>(byte);
      i += 2;
    } else {
      return std::string("unknown escape \\") + next;
    }
  }
  return std::string();
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void WriteRecord(const ProfileRecord& r, const std::vector<int>& plan, std::ostringstream& out) {
  const settings::ConfigurationValues& c = r.configuration;
  const settings::EncryptionValues& e = r.encryption;
  out << "\n[profile " << Quoted(r.name) << "]\n"
      << "ssid = " << Quoted(c.ssid) << "\n"
      << "mode = " << ListText(NetModeList(), c.netMode) << "\n"
      << "channel = " << ChannelText(plan, c.channel) << "\n"
      << "rate = " << ListText(TxRateList(), c.txRate) << "\n"
      << "power = " << ListText(PowerModeList(), c.powerMode) << "\n"
      << "auto = " << AutoText(c.autoConnect) << "\n"
      << "priority = " << c.priority << "\n"
      // A format code the page does not know is shown as off, and written so.
      << "encryption = " << (FormatText(e.format) == kNoneText ? kOffText : FormatText(e.format)) << "\n"
      << "default-key = " << DefaultKeyText(e.keyIndex) << "\n";
  if (!r.withKeys) return;
  for (size_t i = 0; i < e.keys.size(); ++i) out << "key" << (i + 1) << " = " << Quoted(e.keys[i]) << "\n";
  out << "passphrase = " << Quoted(e.passphrase) << "\n";
}

// One section as read: each value's text and line.
struct Section {
  int line = 0;
  ProfileRecord record;
  std::map<std::string, std::pair<std::string, int>> values;
};

class Reader {
 public:
  explicit Reader(const std::vector<int>& plan) : plan_(plan) {}

  bool Line(int number, const std::string& raw);
  bool Finish(int lastLine);
  ProfileFileReading& Result() { return result_; }

 private:
  bool Fail(int line, const std::string& error) {
    result_.line = line;
    result_.error = error;
    result_.profiles.clear();
    return false;
  }
  bool Format(int number, const std::string& line);
  bool Required(const char* field) const;
  bool Header(int number, const std::string& line);
  bool Value(int number, const std::string& line);
  bool CloseSection();
  bool CheckConfiguration();
  bool CheckEncryption();
  bool CheckKeys();
  // The value's text (it exists: completeness was checked) and its line.
  const std::string& Text(const char* field) { return section_.values[field].first; }
  int LineOf(const char* field) { return section_.values[field].second; }

  const std::vector<int>& plan_;
  ProfileFileReading result_;
  int version_ = 0;  // 0 until the first line is read
  bool inSection_ = false;
  Section section_;
};

bool Reader::Line(int number, const std::string& raw) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  line = Trimmed(line);
  if (line.empty() || line[0] == '#') return true;
  if (version_ == 0) return Format(number, line);
  if (line[0] == '[') return Header(number, line);
  return Value(number, line);
}

std::string NotAProfileFile() {
  return std::string("not a profile file: the first line must be \"") + kHeaderPrefix + std::to_string(kVersion) + "\"";
}

// "nvkctl profiles N": every version up to this one reads; a later one is refused by name.
bool Reader::Format(int number, const std::string& line) {
  const size_t prefix = sizeof(kHeaderPrefix) - 1;
  const std::string digits = line.compare(0, prefix, kHeaderPrefix) == 0 ? line.substr(prefix) : std::string();
  if (digits.empty() || digits[0] == '0' || digits.find_first_not_of("0123456789") != std::string::npos)
    return Fail(number, NotAProfileFile());
  if (digits.size() > 1 || digits[0] - '0' > kVersion) {
    const std::string shown = digits.size() > 9 ? digits.substr(0, 9) + "..." : digits;
    return Fail(number, "a profile file of version " + shown + ", later than this nvkctl reads (1 to " +
                            std::to_string(kVersion) + ")");
  }
  version_ = digits[0] - '0';
  return true;
}

bool Reader::Required(const char* field) const {
  for (const char* later : kSinceVersion2)
    if (version_ < 2 && std::string(field) == later) return false;
  return true;
}

bool Reader::Header(int number, const std::string& line) {
  if (inSection_ && !CloseSection()) return false;
  const std::string prefix = "[profile ";
  if (line.compare(0, prefix.size(), prefix) != 0 || line.back() != ']')
    return Fail(number, "a section starts with [profile \"NAME\"]");
  std::string name;
  const std::string problem = Unquoted(Trimmed(line.substr(prefix.size(), line.size() - prefix.size() - 1)), &name);
  if (!problem.empty()) return Fail(number, "profile name: " + problem);
  if (!IsUsableProfileName(name))
    return Fail(number, "'" + name + "' cannot name a profile (1 to 255 characters, no backslash)");
  for (const ProfileRecord& earlier : result_.profiles)
    if (SameTextIgnoringCase(earlier.name, name)) return Fail(number, "profile '" + name + "' appears twice");
  section_ = Section();
  section_.line = number;
  section_.record.name = name;
  inSection_ = true;
  return true;
}

bool Reader::Value(int number, const std::string& line) {
  if (!inSection_) return Fail(number, "a value before the first [profile \"NAME\"]");
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return Fail(number, "expected NAME = VALUE");
  const std::string field = Trimmed(line.substr(0, equals));
  bool known = false;
  for (const char* name : kRequired) known = known || field == name;
  for (const char* name : kKeyFields) known = known || field == name;
  if (!known) return Fail(number, "unknown value '" + field + "'");
  if (!Required(field.c_str()))
    return Fail(number, "'" + field + "' is a value of version 2 files; this file's first line says version 1");
  if (section_.values.count(field)) return Fail(number, "'" + field + "' given twice in this profile");
  section_.values[field] = {Trimmed(line.substr(equals + 1)), number};
  return true;
}

bool Reader::CloseSection() {
  inSection_ = false;
  for (const char* field : kRequired)
    if (Required(field) && !section_.values.count(field)) return Fail(section_.line, "profile '" + section_.record.name + "' lacks '" + field + "'");
  int keyLines = 0;
  for (const char* field : kKeyFields) keyLines += static_cast<int>(section_.values.count(field));
  if (keyLines != 0 && keyLines != 5)
    return Fail(section_.line, "profile '" + section_.record.name + "': key1 to key4 and passphrase come all together or not at all");
  section_.record.withKeys = keyLines == 5;
  if (!CheckConfiguration() || !CheckEncryption() || (section_.record.withKeys && !CheckKeys())) return false;
  result_.profiles.push_back(section_.record);
  return true;
}

// A list value: one of the entry texts, or "none".
bool ListValue(const std::string& text, const ValueList& list, int32_t* position) {
  if (SameTextIgnoringCase(text, kNoneText)) return *position = -1, true;
  return ListPosition(list, text, position);
}

bool Reader::CheckConfiguration() {
  settings::ConfigurationValues& c = section_.record.configuration;
  std::string problem = Unquoted(Text("ssid"), &c.ssid);
  if (!problem.empty()) return Fail(LineOf("ssid"), "ssid: " + problem);
  if (c.ssid.size() > static_cast<size_t>(settings::kMaxNetworkNameLength))
    return Fail(LineOf("ssid"), "ssid has " + std::to_string(c.ssid.size()) + " characters; a network name has at most 32");
  const struct {
    const char* field;
    ValueList list;
    int32_t* value;
  } lists[] = {{"mode", NetModeList(), &c.netMode}, {"rate", TxRateList(), &c.txRate}, {"power", PowerModeList(), &c.powerMode}};
  for (const auto& entry : lists) {
    if (!ListValue(Text(entry.field), entry.list, entry.value))
      return Fail(LineOf(entry.field), std::string(entry.field) + " '" + Text(entry.field) + "' is not one of " +
                                           ListChoices(entry.list) + ", none");
  }
  if (version_ >= 2) {
    if (!AutoOf(Text("auto"), &c.autoConnect))
      return Fail(LineOf("auto"), "auto '" + Text("auto") + "' is neither on nor off");
    if (!PriorityOf(Text("priority"), &c.priority))
      return Fail(LineOf("priority"), "priority '" + Text("priority") + "' is not " + kPriorityChoices);
  }
  const std::string& channel = Text("channel");
  if (SameTextIgnoringCase(channel, kNoneText)) {
    c.channel = 0;
  } else if (!ChannelOf(plan_, channel, &c.channel)) {
    return Fail(LineOf("channel"), "channel '" + channel + "' is not in the adapter's channel plan (" + ChannelChoices(plan_) + ")");
  }
  return true;
}

bool Reader::CheckEncryption() {
  settings::EncryptionValues& e = section_.record.encryption;
  if (!FormatOf(Text("encryption"), &e.format))
    return Fail(LineOf("encryption"), "encryption '" + Text("encryption") + "' is not one of " + FormatChoices());
  const std::string& key = Text("default-key");
  if (SameTextIgnoringCase(key, kNoneText)) {
    e.keyIndex = -1;
  } else if (!DefaultKeyOf(key, &e.keyIndex)) {
    return Fail(LineOf("default-key"), "default-key '" + key + "' is not 1, 2, 3, 4 or none");
  }
  return true;
}

// Keys as the Encryption page could have stored them: typed keys that fit the format, the keys
// of the passphrase in a passphrase format, anything a key box holds with encryption off.
bool Reader::CheckKeys() {
  settings::EncryptionValues& e = section_.record.encryption;
  std::string problem = Unquoted(Text("passphrase"), &e.passphrase);
  if (!problem.empty()) return Fail(LineOf("passphrase"), "passphrase: " + problem);
  if (e.passphrase.size() > settings::kMaxKeyTextLength) return Fail(LineOf("passphrase"), "passphrase is longer than 259 characters");
  const std::array<std::string, 4> generated =
      PassphraseKeyTexts(e.format == kKeyFormat64Passphrase, e.passphrase.data(), e.passphrase.size());
  for (size_t i = 0; i < 4; ++i) {
    const char* field = kKeyFields[i];
    problem = Unquoted(Text(field), &e.keys[i]);
    if (problem.empty() && e.format == kKeyFormatOff && e.keys[i].size() > settings::kMaxKeyTextLength)
      problem = "is longer than 259 characters";
    else if (problem.empty() && IsPassphraseFormat(e.format) && e.keys[i] != generated[i])
      problem = "is not the key the passphrase gives";
    else if (problem.empty() && e.format != kKeyFormatOff && !IsPassphraseFormat(e.format))
      problem = TypedKeyProblem(e.format, e.keys[i]);
    if (!problem.empty()) return Fail(LineOf(field), std::string(field) + " " + problem);
  }
  return true;
}

bool Reader::Finish(int lastLine) {
  if (version_ == 0) return Fail(lastLine, NotAProfileFile());
  return !inSection_ || CloseSection();
}

}  // namespace

std::string FormatProfileFile(const std::vector<ProfileRecord>& profiles, const std::vector<int>& channelPlan) {
  std::ostringstream out;
  out << kHeaderPrefix << kVersion << "\n";
  for (const ProfileRecord& record : profiles) WriteRecord(record, channelPlan, out);
  return out.str();
}

ProfileFileReading ReadProfileFile(const std::string& text, const std::vector<int>& channelPlan) {
  Reader reader(channelPlan);
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    if (!reader.Line(++number, line)) return reader.Result();
  }
  reader.Finish(number == 0 ? 1 : number);
  return reader.Result();
}

}  // namespace tarnel::cli
