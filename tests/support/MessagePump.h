// Runs this thread's messages for a while, as the program's own loop would.
#pragma once

#include <windows.h>

#include <functional>

namespace tarnel::test {

// Until done() holds or limitMs passed; true when done() held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (!done()) {
    if (::GetTickCount() - start >= limitMs) return false;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  }
  return true;
}

inline void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace tarnel::test
