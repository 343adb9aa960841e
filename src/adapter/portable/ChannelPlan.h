// The channels the adapter may use, by the channel plan code its driver reports.
#pragma once

#include <cstdint>
#include <vector>

namespace tarnel {

// Channel numbers of the plan in ascending order; none for a code the utility does not know
// (also -1, when the driver left the code unset).
std::vector<int> ChannelPlanEntries(int32_t plan);

}  // namespace tarnel
