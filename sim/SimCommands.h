// The control tool's commands over an open SimClient: parsing and the printed views.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "SimClient.h"

namespace tarnel::sim {

// The usage text of the control tool.
const char* SimUsage();

// Runs one command (its words, the command name first). Returns 0 on success, 2 when the
// words are not a valid command (a message goes to err). "hold" and "help" are the caller's.
int RunSimCommand(SimClient& client, const std::vector<std::string>& words, std::ostream& out,
                  std::ostream& err);

// The state as "show" prints it, with the figures reported at tick `now`.
std::string FormatState(const SimState& state, uint32_t now);

}  // namespace tarnel::sim
