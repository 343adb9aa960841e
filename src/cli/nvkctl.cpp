// nvkctl.exe: the adapter from the command line, over the same settings layer as the utility.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Nvkctl.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int code = tarnel::cli::RunNvkctl(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
