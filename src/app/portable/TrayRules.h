// How the notification-area icon follows the link, and what its tip holds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnel {

enum class TrayStep { NoLink, Weak, Medium, Strong, Unchanged };

// The step for a link-status word (signal strength high, quality low): the weaker figure
// decides, and a figure above 100 counts only when both are, which leaves the icon as it is.
TrayStep TrayStepFor(uint32_t linkStatus);

// Copies at most fieldSize - 1 characters of tip and a terminator; no tip leaves it empty.
void CopyTrayTip(const char* tip, char* field, size_t fieldSize);

}  // namespace tarnel
