// nvkctl's run: the command line checked, the adapter reached once, the refusals of a changing
// command, then the command. Answers the exit code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tarnel::cli {

int RunNvkctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tarnel::cli
