#include "adapter/portable/ChannelPlan.h"

namespace tarnel {

namespace {

struct PlanRange {
  int first;
  int last;
};

// Plan codes 0 to 6: the first and last channel of each.
constexpr PlanRange kPlans[] = {{1, 11}, {1, 11}, {1, 13}, {10, 11}, {10, 13}, {14, 14}, {1, 14}};

}  // namespace

std::vector<int> ChannelPlanEntries(int32_t plan) {
  std::vector<int> channels;
  if (plan < 0 || plan >= static_cast<int32_t>(sizeof(kPlans) / sizeof(kPlans[0]))) return channels;
  for (int channel = kPlans[plan].first; channel <= kPlans[plan].last; ++channel) channels.push_back(channel);
  return channels;
}

}  // namespace tarnel
