// nvksim.exe: changes the simulated adapter's state from another process while the utility runs.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "SimClient.h"
#include "SimCommands.h"

namespace {

// "radio off + unplug on" -> {{"radio", "off"}, {"unplug", "on"}}
std::vector<std::vector<std::string>> SplitCommands(int argc, char** argv) {
  std::vector<std::vector<std::string>> commands(1);
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "+") {
      commands.emplace_back();
    } else {
      commands.back().push_back(argv[i]);
    }
  }
  return commands;
}

// Commands that only print, send notices or change the device set (kept in the registry): they
// need no holder for their effect to last. The unplug flag "adapter" also sets matters only to a
// running utility, which holds the state.
bool NeedsNoHolder(const std::vector<std::string>& words) {
  const std::string& name = words.front();
  const std::string sub = words.size() > 1 ? words[1] : "";
  return name == "show" || name == "adapter" || name == "counters" || name == "notice" ||
         name == "power" || (name == "log" && sub.empty()) || (name == "net" && sub == "list");
}

[[noreturn]] void Hold() {
  std::cout << "holding " << tarnel::sim::kSectionName << "; end this process to let it go"
            << std::endl;
  for (;;) Sleep(INFINITE);
}

}  // namespace

int main(int argc, char** argv) {
  const auto commands = SplitCommands(argc, argv);
  if (commands.front().empty() || commands.front().front() == "help") {
    std::cout << tarnel::sim::SimUsage();
    return commands.front().empty() ? 2 : 0;
  }
  tarnel::sim::SimClient client;
  if (!client.Open()) {
    std::cerr << "nvksim: cannot open the shared state " << tarnel::sim::kSectionName << "\n";
    return 1;
  }
  bool hold = false;
  bool changed = false;
  for (const auto& words : commands) {
    if (words.empty()) continue;
    if (words.front() == "hold") {
      hold = true;
      continue;
    }
    const int rc = tarnel::sim::RunSimCommand(client, words, std::cout, std::cerr);
    if (rc != 0) return rc;
    changed |= !NeedsNoHolder(words);
  }
  if (hold) Hold();
  if (changed && client.Created()) {
    std::cerr << "nvksim: note: no other process holds the simulated adapter, so this change ends "
                 "with this command; start 'nvksim hold' first\n";
  }
  return 0;
}
