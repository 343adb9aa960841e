#include "cli/portable/CommandLine.h"

#include <cstring>
#include <sstream>

#include "cli/portable/ValueText.h"

namespace tarnel::cli {
namespace {

struct CommandSpec {
  const char* words;
  Command command;
  int minOperands;
  int maxOperands;      // -1: any number
  const char* options;  // the options it takes, each followed by a blank
  bool changing;
  const char* synopsis;
  const char* summary;
};

const char kEditOptions[] =
    "--ssid --mode --channel --rate --power --auto --priority --encryption --key1 --key2 --key3 --key4 "
    "--default-key --passphrase ";

const CommandSpec kCommands[] = {
    {"status", Command::kStatus, 0, 0, "--json ", false, "status [--json]",
     "link state, SSID, BSSID, channel, rate, MAC, IP, quality, signal, radio, driver version, and\n"
     "whether the system's own wireless configuration manages the adapter"},
    {"scan", Command::kScan, 0, 0, "--json ", false, "scan [--json]", "the networks in range: the SiteSurvey page's columns"},
    {"join", Command::kJoin, 1, 1, "", true, "join SSID",
     "join a network in range as a double-click on its SiteSurvey row does (exit 3 if not in range)"},
    {"radio", Command::kRadio, 1, 1, "", true, "radio on|off", "switch the radio on or off"},
    {"profile list", Command::kProfileList, 0, 0, "--json ", false, "profile list [--json]",
     "the profile names, the current one marked, whether each connects automatically, its priority"},
    {"profile show", Command::kProfileShow, 1, 1, "--json --show-keys ", false,
     "profile show NAME [--json] [--show-keys]", "a profile's stored values; keys only with --show-keys"},
    {"profile set", Command::kProfileSet, 1, 1, kEditOptions, true,
     "profile set NAME [--ssid S] [--mode M] [--channel N] [--rate R] [--power P]\n"
     "            [--auto on|off] [--priority N]\n"
     "            [--encryption off|FORMAT] [--key1..--key4 TEXT] [--default-key 1-4]\n"
     "            [--passphrase P]",
     "create or change a stored profile; nothing is sent to the adapter and the current\n"
     "profile stays current. --auto on: the utility connects to it by itself when its network\n"
     "is in range and there is no link; among several, the highest --priority first"},
    {"profile use", Command::kProfileUse, 1, 1, "", true, "profile use NAME",
     "make a profile current and apply it, as choosing it in the Configuration page's list"},
    {"profile remove", Command::kProfileRemove, 1, 1, "", true, "profile remove NAME",
     "remove a profile as the Remove button does; when it was current, the next one is applied"},
    {"export", Command::kExport, 0, -1, "--with-keys -o ", false, "export [NAME...] [--with-keys] [-o FILE]",
     "write profiles (all, or those named) in the profile file format; keys only with --with-keys"},
    {"import", Command::kImport, 1, 1, "--replace ", true, "import FILE [--replace]",
     "read a profile file; every value is checked before anything is written, and a profile\n"
     "that exists is left alone unless --replace"},
    {"help", Command::kHelp, 0, 2, "", false, "help [COMMAND]", "this text, or one command's"},
};

const char kExitHelp[] =
    "Exit codes: 0 done; 1 usage; 2 library missing, not initialising, or no adapter; 3 bad value,\n"
    "name or file; 4 refused: the system's wireless configuration manages the adapter;\n"
    "5 administrator rights needed.\n";

// The value texts come from the tables the pages' lists are checked against.
std::string ValuesHelp() {
  return "Values are the texts the pages' lists show, in any letter case:\n"
         "  --mode        " + ListChoices(NetModeList()) + "\n"
         "  --rate        " + ListChoices(TxRateList()) + "\n"
         "  --power       " + ListChoices(PowerModeList()) + "\n"
         "  --auto        on, off\n"
         "  --priority    " + kPriorityChoices + "; higher is preferred (0 when never set)\n"
         "  --encryption  " + FormatChoices() + "\n"
         "  --channel     a channel number of the adapter's channel plan\n"
         "Keys are checked as the Encryption page takes them and filled up with \"0\".\n";
}

// A valued option takes the next word (or what follows "=").
bool TakesValue(const std::string& option) {
  return option == "-o" || (std::strstr(kEditOptions, (option + " ").c_str()) != nullptr);
}

bool Allows(const CommandSpec& spec, const std::string& option) {
  return std::strstr(spec.options, (option + " ").c_str()) != nullptr;
}

// Number of words of spec that args start with (0: no match).
size_t MatchedWords(const CommandSpec& spec, const std::vector<std::string>& args) {
  std::istringstream words(spec.words);
  std::string word;
  size_t n = 0;
  while (words >> word) {
    if (n >= args.size() || args[n] != word) return 0;
    ++n;
  }
  return n;
}

const CommandSpec* FindCommand(const std::vector<std::string>& args, size_t* used) {
  for (const CommandSpec& spec : kCommands) {
    if ((*used = MatchedWords(spec, args)) != 0) return &spec;
  }
  return nullptr;
}

std::string TakeOptions(const CommandSpec& spec, const std::vector<std::string>& args, size_t from,
                        CommandLine* line) {
  bool optionsEnd = false;
  for (size_t i = from; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
      line->operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnd = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (!Allows(spec, name)) return std::string(spec.words) + ": unknown option " + name;
    if (line->options.count(name)) return std::string(spec.words) + ": " + name + " given twice";
    std::string value;
    if (TakesValue(name)) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return std::string(spec.words) + ": " + name + " needs a value";
      }
    } else if (equals != std::string::npos) {
      return std::string(spec.words) + ": " + name + " takes no value";
    }
    line->options[name] = value;
  }
  return std::string();
}

std::optional<std::string> OptionValue(const CommandLine& line, const std::string& option) {
  if (!line.Has(option)) return std::nullopt;
  return line.Value(option);
}

ProfileEdits EditsOf(const CommandLine& line) {
  ProfileEdits edits;
  edits.ssid = OptionValue(line, "--ssid");
  edits.mode = OptionValue(line, "--mode");
  edits.channel = OptionValue(line, "--channel");
  edits.rate = OptionValue(line, "--rate");
  edits.power = OptionValue(line, "--power");
  edits.autoConnect = OptionValue(line, "--auto");
  edits.priority = OptionValue(line, "--priority");
  edits.encryption = OptionValue(line, "--encryption");
  edits.defaultKey = OptionValue(line, "--default-key");
  edits.passphrase = OptionValue(line, "--passphrase");
  for (size_t i = 0; i < edits.keys.size(); ++i) edits.keys[i] = OptionValue(line, "--key" + std::to_string(i + 1));
  return edits;
}

std::string OperandProblem(const CommandSpec& spec, const CommandLine& line) {
  const int count = static_cast<int>(line.operands.size());
  if (count < spec.minOperands) return std::string("usage: nvkctl ") + spec.synopsis;
  if (spec.maxOperands >= 0 && count > spec.maxOperands)
    return std::string(spec.words) + ": unexpected '" + line.operands[static_cast<size_t>(spec.maxOperands)] + "'";
  if (spec.command == Command::kRadio && !SameTextIgnoringCase(line.operands[0], "on") &&
      !SameTextIgnoringCase(line.operands[0], "off"))
    return "radio: '" + line.operands[0] + "' is neither on nor off";
  if (spec.command == Command::kHelp && count > 0 && HelpText(line.operands[0] + (count > 1 ? " " + line.operands[1] : "")).empty())
    return "help: no command '" + line.operands[0] + (count > 1 ? " " + line.operands[1] : "") + "'";
  return std::string();
}

std::string Indented(const char* text, const char* first, const char* rest) {
  std::string out = first;
  for (const char* c = text; *c; ++c) {
    out += *c;
    if (*c == '\n') out += rest;
  }
  return out + "\n";
}

bool IsTopicOf(const CommandSpec& spec, const std::string& topic) {
  const size_t n = topic.size();
  return std::strncmp(spec.words, topic.c_str(), n) == 0 && (spec.words[n] == '\0' || spec.words[n] == ' ');
}

}  // namespace

std::string CommandLine::Value(const std::string& option) const {
  const auto found = options.find(option);
  return found == options.end() ? std::string() : found->second;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  if (args.empty()) {
    parsed.error = "no command (nvkctl help lists them)";
    return parsed;
  }
  size_t used = 0;
  const CommandSpec* spec = FindCommand(args, &used);
  if (!spec) {
    parsed.error = args[0] == "profile" ? "profile: expected list, show, set, use or remove"
                                        : "unknown command '" + args[0] + "' (nvkctl help lists them)";
    return parsed;
  }
  parsed.line.command = spec->command;
  parsed.error = TakeOptions(*spec, args, used, &parsed.line);
  if (parsed.error.empty()) parsed.error = OperandProblem(*spec, parsed.line);
  if (spec->command == Command::kProfileSet) parsed.line.edits = EditsOf(parsed.line);
  return parsed;
}

bool IsChangingCommand(Command command) {
  for (const CommandSpec& spec : kCommands)
    if (spec.command == command) return spec.changing;
  return false;
}

std::string HelpText(const std::string& topic) {
  std::string text;
  for (const CommandSpec& spec : kCommands) {
    if (!topic.empty() && !IsTopicOf(spec, topic)) continue;
    text += Indented(spec.synopsis, "  nvkctl ", "         ") + Indented(spec.summary, "      ", "      ");
  }
  if (text.empty() || !topic.empty()) return text;
  return "nvkctl: the adapter from the command line.\n\n" + text + "\n" + ValuesHelp() + kExitHelp;
}

}  // namespace tarnel::cli
