// The high-resolution clock the benchmarks time with.
#pragma once

#include <windows.h>

namespace bench {

inline LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now;
}

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency);
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) { return 1e3 * Seconds(from, to); }
inline double Micros(LARGE_INTEGER from, LARGE_INTEGER to) { return 1e6 * Seconds(from, to); }

}  // namespace bench
