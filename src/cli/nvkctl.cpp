// nvkctl.exe: the adapter from the command line, over the same settings layer as the utility.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Nvkctl.h"

int main(int argc, char** argv) {
  // Standard output goes out in one piece at the end, or before anything on standard error
  // (which is tied to it): the runtime would otherwise write a console a character at a time.
  static char buffer[16384];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof(buffer));
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int code = tarnel::cli::RunNvkctl(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
