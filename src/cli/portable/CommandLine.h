// nvkctl's command line: which command, its operands and its options, checked against one table
// of commands that also gives the help text.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/portable/ProfileEdits.h"

namespace tarnel::cli {

enum class Command {
  kHelp, kStatus, kScan, kJoin, kRadio, kProfileList, kProfileShow, kProfileSet, kProfileUse,
  kProfileRemove, kExport, kImport, kVersion, kWatch,
};

struct CommandLine {
  Command command = Command::kHelp;
  std::vector<std::string> operands;
  std::map<std::string, std::string> options;  // "--json" -> "", "-o" -> "FILE"
  ProfileEdits edits;                          // the options of "profile set"

  bool Has(const std::string& option) const { return options.count(option) != 0; }
  // A checked whole-number option (watch's --count and --seconds); 0 when not given.
  long Number(const std::string& option) const;
  std::string Value(const std::string& option) const;
};

struct ParsedCommandLine {
  CommandLine line;
  std::string error;  // empty when the line is usable
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Commands that change the adapter or the store.
bool IsChangingCommand(Command command);

// The whole help, or the lines of the commands whose words start with topic; empty for a topic
// that names no command.
std::string HelpText(const std::string& topic = std::string());

}  // namespace tarnel::cli
