// nvkctl's command line: what each accepted line means, and the one-line problem of each refused one.
#include <gtest/gtest.h>

#include "cli/portable/CommandLine.h"

namespace tarnel::cli {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, AcceptedLinesGiveTheirCommandOperandsAndOptions) {
  const struct {
    Args args;
    Command command;
    Args operands;
    std::map<std::string, std::string> options;
  } cases[] = {
      {{"status", "--json"}, Command::kStatus, {}, {{"--json", ""}}},
      {{"join", "Cafe Guest"}, Command::kJoin, {"Cafe Guest"}, {}},
      {{"radio", "OFF"}, Command::kRadio, {"OFF"}, {}},
      {{"profile", "show", "Home", "--show-keys", "--json"}, Command::kProfileShow, {"Home"}, {{"--json", ""}, {"--show-keys", ""}}},
      {{"profile", "set", "Home", "--rate", "5.5 Mbps", "--key1=ab=cd", "--priority", "-3", "--auto", "on"},
       Command::kProfileSet, {"Home"}, {{"--rate", "5.5 Mbps"}, {"--key1", "ab=cd"}, {"--priority", "-3"}, {"--auto", "on"}}},
      {{"export", "A", "B", "-o", "f.txt", "--with-keys"}, Command::kExport, {"A", "B"}, {{"-o", "f.txt"}, {"--with-keys", ""}}},
      {{"import", "--replace", "--", "-file"}, Command::kImport, {"-file"}, {{"--replace", ""}}},
      {{"help", "profile", "set"}, Command::kHelp, {"profile", "set"}, {}},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(c.args);
    ASSERT_EQ("", parsed.error) << c.args[0];
    EXPECT_EQ(c.command, parsed.line.command) << c.args[0];
    EXPECT_EQ(c.operands, parsed.line.operands) << c.args[0];
    EXPECT_EQ(c.options, parsed.line.options) << c.args[0];
  }
  const ParsedCommandLine set = ParseCommandLine({"profile", "set", "H", "--ssid", "", "--key4", "k"});
  EXPECT_EQ("", set.line.edits.ssid.value_or("<none>")) << "an empty value is a value";
  EXPECT_EQ("k", set.line.edits.keys[3].value_or("<none>"));
  EXPECT_FALSE(set.line.edits.mode.has_value());
}

TEST(CommandLine, RefusedLinesSayWhatIsWrongInOneLine) {
  const struct {
    Args args;
    const char* error;
  } cases[] = {
      {{}, "no command"},
      {{"stat"}, "unknown command 'stat'"},
      {{"profile"}, "profile: expected list, show, set, use or remove"},
      {{"profile", "use"}, "usage: nvkctl profile use NAME"},
      {{"status", "--show-keys"}, "status: unknown option --show-keys"},
      {{"scan", "extra"}, "scan: unexpected 'extra'"},
      {{"profile", "set", "H", "--rate"}, "--rate needs a value"},
      {{"profile", "set", "H", "--rate", "Auto", "--rate=Auto"}, "--rate given twice"},
      {{"status", "--json=yes"}, "--json takes no value"},
      {{"radio", "toggle"}, "radio: 'toggle' is neither on nor off"},
      {{"help", "frobnicate"}, "help: no command 'frobnicate'"},
  };
  for (const auto& c : cases) {
    const std::string error = ParseCommandLine(c.args).error;
    EXPECT_NE(std::string::npos, error.find(c.error)) << "got: " << error;
    EXPECT_EQ(std::string::npos, error.find('\n')) << error;
  }
}

TEST(CommandLine, OnlyCommandsThatChangeSomethingAreChanging) {
  for (Command c : {Command::kJoin, Command::kRadio, Command::kProfileSet, Command::kProfileUse,
                    Command::kProfileRemove, Command::kImport})
    EXPECT_TRUE(IsChangingCommand(c)) << static_cast<int>(c);
  for (Command c : {Command::kStatus, Command::kScan, Command::kProfileList, Command::kProfileShow,
                    Command::kExport, Command::kHelp})
    EXPECT_FALSE(IsChangingCommand(c)) << static_cast<int>(c);
}

TEST(CommandLine, HelpOfATopicHasOnlyItsCommandsAndTheWholeHelpTheValueTexts) {
  const std::string profile = HelpText("profile");
  EXPECT_NE(std::string::npos, profile.find("profile remove NAME"));
  EXPECT_EQ(std::string::npos, profile.find("status"));
  EXPECT_EQ("", HelpText("prof")) << "whole words only";
  const std::string all = HelpText();
  EXPECT_NE(std::string::npos, all.find("Ad Hoc, Infrastructure"));
  EXPECT_NE(std::string::npos, all.find("off, 64-bit ASCII, 64-bit Hex"));
  EXPECT_NE(std::string::npos, all.find("Exit codes"));
}

}  // namespace
}  // namespace tarnel::cli
