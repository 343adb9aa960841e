// Exclusive access to the shared state across processes: a spin lock in the section itself,
// cheaper than a kernel object on every NV_ call. A lock left by a process that died is taken over.
#pragma once

#include "SimState.h"

namespace tarnel::sim {

class SimLock {
 public:
  explicit SimLock(SimState& state);
  ~SimLock();
  SimLock(const SimLock&) = delete;
  SimLock& operator=(const SimLock&) = delete;

 private:
  SimState& state_;
  int32_t owner_;
};

}  // namespace tarnel::sim
