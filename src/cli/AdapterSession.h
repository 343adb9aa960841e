// One run's hold on the adapter: the driver-control library loaded the utility's way and
// initialised once, the adapter found by its description (unless only the library is needed);
// the library stopped when it goes, on every path.
#pragma once

#include <string>

#include "cli/portable/ExitCode.h"

namespace tarnel::cli {

class AdapterSession {
 public:
  enum class Need { kAdapter, kLibraryOnly };

  explicit AdapterSession(Need need = Need::kAdapter);
  ~AdapterSession();
  AdapterSession(const AdapterSession&) = delete;
  AdapterSession& operator=(const AdapterSession&) = delete;

  // kExitDone when the adapter (or the library alone) can be used, else kExitNoAdapter with
  // Problem() saying why.
  ExitCode Status() const { return problem_.empty() ? kExitDone : kExitNoAdapter; }
  const std::string& Problem() const { return problem_; }

 private:
  std::string FindOwnAdapter();

  std::string problem_;
};

}  // namespace tarnel::cli
