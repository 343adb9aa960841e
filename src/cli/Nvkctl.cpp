#include "cli/Nvkctl.h"

#include "cli/AdapterSession.h"
#include "cli/Commands.h"
#include "profiles/DriverKey.h"
#include "settings/AdapterState.h"
#include "settings/Configuration.h"
#include "settings/Profiles.h"

namespace tarnel::cli {
namespace {

ExitCode Report(std::ostream& err, ExitCode code, const std::string& problem) {
  err << "nvkctl: " << problem << "\n";
  return code;
}

std::string HelpTopic(const CommandLine& line) {
  std::string topic;
  for (const std::string& word : line.operands) topic += (topic.empty() ? "" : " ") + word;
  return topic;
}

// Why a change may not be made, checked before any store write or setting call.
ExitCode Refusal(std::ostream& err) {
  if (settings::IsSystemManaged())
    return Report(err, kExitSystemManaged,
                  "refused: the system's own wireless configuration manages the adapter");
  switch (settings::CheckStoreRights()) {
    case settings::StoreRights::kWritable:
      return kExitDone;
    case settings::StoreRights::kDenied:
      return Report(err, kExitNeedsRights,
                    "needs administrator rights: the adapter's driver key cannot be opened for writing");
    case settings::StoreRights::kNoDriverKey:
      break;
  }
  return Report(err, kExitNoAdapter, "the adapter's driver key is missing from the registry");
}

ExitCode Dispatch(const CommandContext& c) {
  switch (c.line.command) {
    case Command::kStatus: return RunStatus(c);
    case Command::kScan: return RunScan(c);
    case Command::kJoin: return RunJoin(c);
    case Command::kRadio: return RunRadio(c);
    case Command::kProfileList: return RunProfileList(c);
    case Command::kProfileShow: return RunProfileShow(c);
    case Command::kProfileSet: return RunProfileSet(c);
    case Command::kProfileUse: return RunProfileUse(c);
    case Command::kProfileRemove: return RunProfileRemove(c);
    case Command::kExport: return RunExport(c);
    case Command::kImport: return RunImport(c);
    case Command::kWatch: return RunWatch(c);
    case Command::kHelp:
    case Command::kVersion: break;
  }
  return kExitUsage;
}

int RunWithAdapter(const CommandLine& line, std::ostream& out, std::ostream& err) {
  const int code = RunWithAdapter(line, out, err);
  out.flush();
  EndWatch();  // the session has stopped the library
  return code;
}

}  // namespace

int RunNvkctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  if (!parsed.error.empty()) return Report(err, kExitUsage, parsed.error);
  const CommandLine& line = parsed.line;
  if (line.command == Command::kHelp) {
    out << HelpText(HelpTopic(line));
    return kExitDone;
  }
  if (line.command == Command::kVersion) return RunVersion(out, err);

  SetStoreAccess(StoreAccess::kRead);
  AdapterSession session;
  if (session.Status() != kExitDone) return Report(err, session.Status(), session.Problem());
  if (IsChangingCommand(line.command)) {
    const ExitCode refused = Refusal(err);
    if (refused != kExitDone) return refused;
  }
  const CommandContext context{line, out, err, settings::ChannelPlanChannels()};
  return Dispatch(context);
}

}  // namespace tarnel::cli
