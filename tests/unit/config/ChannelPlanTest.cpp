#include "adapter/portable/ChannelPlan.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

std::vector<int> Range(int first, int last) {
  std::vector<int> channels;
  for (int c = first; c <= last; ++c) channels.push_back(c);
  return channels;
}

TEST(ChannelPlanEntries, EachKnownPlanListsItsChannelsInAscendingOrder) {
  const struct {
    int32_t plan;
    std::vector<int> channels;
  } cases[] = {
      {0, Range(1, 11)}, {1, Range(1, 11)}, {2, Range(1, 13)}, {3, {10, 11}},
      {4, Range(10, 13)}, {5, {14}},        {6, Range(1, 14)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.channels, ChannelPlanEntries(c.plan)) << "plan " << c.plan;
}

TEST(ChannelPlanEntries, UnknownOrUnsetPlanListsNothing) {
  for (int32_t plan : {-1, 7, 100, INT32_MIN, INT32_MAX})
    EXPECT_TRUE(ChannelPlanEntries(plan).empty()) << "plan " << plan;
}

}  // namespace
}  // namespace tarnel
