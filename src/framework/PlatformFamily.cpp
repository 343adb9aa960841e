#include "framework/PlatformFamily.h"

#include <windows.h>

namespace tarnel {

namespace {
int g_forced = -1;
}

bool IsWin9xFamily() {
  if (g_forced >= 0) return g_forced != 0;
  return (GetVersion() & 0x80000000u) != 0;
}

void ForcePlatformFamily(int win9x) { g_forced = win9x; }

}  // namespace tarnel
