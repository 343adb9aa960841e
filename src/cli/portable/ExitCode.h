// nvkctl's exit codes; scripts rely on them, so the numbers never change.
#pragma once

namespace tarnel::cli {

enum ExitCode : int {
  kExitDone = 0,
  kExitUsage = 1,            // the command line itself is wrong
  kExitNoAdapter = 2,        // the library is missing or will not initialise, or no adapter
  kExitBadValue = 3,         // a bad value, profile name, network or file
  kExitSystemManaged = 4,    // a change refused: the system's wireless configuration manages the adapter
  kExitNeedsRights = 5,      // a change refused: the driver key cannot be opened for writing
};

}  // namespace tarnel::cli
