#include "SimLock.h"

#include <windows.h>

namespace tarnel::sim {
namespace {

volatile LONG* LockWord(SimState& state) {
  static_assert(sizeof(LONG) == sizeof(state.lockOwner), "lock word is 32 bits");
  return reinterpret_cast<volatile LONG*>(&state.lockOwner);
}

bool ProcessAlive(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return alive;
}

}  // namespace

SimLock::SimLock(SimState& state)
    : state_(state), owner_(static_cast<int32_t>(GetCurrentProcessId())) {
  volatile LONG* word = LockWord(state_);
  for (unsigned spins = 1;; ++spins) {
    if (InterlockedCompareExchange(word, owner_, 0) == 0) return;
    if (spins < 64) {
      YieldProcessor();
    } else {
      Sleep(spins < 256 ? 0 : 1);
    }
    if (spins % 512 == 0) {
      const LONG holder = *word;
      if (holder != 0 && holder != owner_ && !ProcessAlive(static_cast<DWORD>(holder))) {
        InterlockedCompareExchange(word, 0, holder);
      }
    }
  }
}

SimLock::~SimLock() { InterlockedExchange(LockWord(state_), 0); }

}  // namespace tarnel::sim
