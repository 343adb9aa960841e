// The commands of nvkctl over the settings layer. Each writes its result to out and a one-line
// problem to err, and answers its exit code. They run with the adapter found and, for a command
// that changes something, the refusals already checked.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/portable/CommandLine.h"
#include "cli/portable/ExitCode.h"

namespace tarnel::cli {

struct CommandContext {
  const CommandLine& line;
  std::ostream& out;
  std::ostream& err;
  std::vector<int> channelPlan;

  // Reports a problem in one line and answers its code.
  ExitCode Fail(ExitCode code, const std::string& problem) const;
};

// The store is read without any write until a command commits to its change.
void BeginWriting();

// The listed profile name equals without regard to case (as the registry matches names), in its
// stored spelling; empty when none does.
std::string ListedProfile(const std::string& name);

ExitCode RunStatus(const CommandContext& c);
ExitCode RunScan(const CommandContext& c);
ExitCode RunJoin(const CommandContext& c);
ExitCode RunRadio(const CommandContext& c);
ExitCode RunProfileList(const CommandContext& c);
ExitCode RunProfileShow(const CommandContext& c);
ExitCode RunProfileSet(const CommandContext& c);
ExitCode RunProfileUse(const CommandContext& c);
ExitCode RunProfileRemove(const CommandContext& c);
ExitCode RunExport(const CommandContext& c);
ExitCode RunImport(const CommandContext& c);
ExitCode RunWatch(const CommandContext& c);
// After the run has stopped the library: lets a console event's handler that waits for it go on.
void EndWatch();

// version: needs neither the adapter nor the command context; the utility's version is printed
// even when the library does not load (then exit 2 with the library's problem).
ExitCode RunVersion(std::ostream& out, std::ostream& err);

}  // namespace tarnel::cli
