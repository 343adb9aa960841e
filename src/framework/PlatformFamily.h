// Which family of the platform the utility runs on: the high bit of the version word.
#pragma once

namespace tarnel {

// True on the 9x family (GetVersion's high bit set).
bool IsWin9xFamily();

// Test seam: force the answer (1 = 9x family, 0 = NT family), or -1 to ask the platform again.
void ForcePlatformFamily(int win9x);

}  // namespace tarnel
