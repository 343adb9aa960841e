// How the notification-area icon follows the link, and what its tip holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel {

enum class TrayStep { NoLink, Weak, Medium, Strong, Unchanged };

// The step for a link-status word (signal strength high, quality low): the weaker figure
// decides, and a figure above 100 counts only when both are, which leaves the icon as it is.
TrayStep TrayStepFor(uint32_t linkStatus);

// Copies at most fieldSize - 1 characters of tip and a terminator; no tip leaves it empty.
void CopyTrayTip(const char* tip, char* field, size_t fieldSize);

// A shell that shows a tip on one line only gets its last line: what the link is.
std::string LastTipLine(const char* tip);

// The profiles the icon's "Profiles" menu lists: every listed one in the list's order while they
// are at most kTrayProfileCount; past that, the ones most recently current (recent, latest first,
// any letter case), filled up in the list's order, and more is set.
constexpr size_t kTrayProfileCount = 16;
struct TrayProfiles {
  std::vector<std::string> names;  // spelt as listed
  bool more = false;
};
TrayProfiles TrayProfilesOf(const std::vector<std::string>& listed, const std::vector<std::string>& recent);

}  // namespace tarnel
