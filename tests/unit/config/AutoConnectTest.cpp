// The choice among the profiles that connect automatically.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/portable/AutoConnect.h"

namespace tarnel::settings {
namespace {

using Names = std::vector<std::string>;

TEST(AutoConnectChoice, PriorityThenRecencyThenSignalAmongTheNetworksInRange) {
  const std::vector<NetworkInRange> office = {{"office", true, 40}};
  struct Case {
    const char* what;
    std::vector<KnownNetwork> profiles;
    Names recent;
    std::vector<NetworkInRange> inRange;
    Names chosen;
  } cases[] = {
      {"higher priority first, whatever else",
       {{"Home", "home", 1, 0}, {"Office", "office", 1, 5}, {"Cafe", "cafe", 1, -3}},
       {"Home", "Cafe"},
       {{"home", true, 90}, {"office", true, 20}, {"cafe", true, 99}},
       {"Office", "Home", "Cafe"}},
      {"same priority: the one current most recently, in any letter case; never current comes last",
       {{"Home", "home", 1, 2}, {"Office", "office", 1, 2}, {"Lab", "lab", 1, 2}},
       {"OFFICE", "x", "home"},
       {{"home", true, 10}, {"office", true, 10}, {"lab", true, 90}},
       {"Office", "Home", "Lab"}},
      {"same priority and recency: the strongest of each network's records",
       {{"Home", "home", 1, 0}, {"Office", "office", 1, 0}},
       {},
       {{"home", true, 30}, {"office", true, 50}, {"home", true, 70}},
       {"Home", "Office"}},
      {"a full tie keeps the list's order",
       {{"B", "net", 1, 0}, {"A", "net", 1, 0}},
       {},
       {{"net", true, 50}},
       {"B", "A"}},
      {"the network type must match the profile's mode",
       {{"Infra", "net", 1, 0}, {"AdHoc", "net", 0, 0}, {"Odd", "net", 7, 0}},
       {},
       {{"net", false, 60}},
       {"AdHoc"}},
      {"exact bytes of the name: no letter case, no prefix",
       {{"A", "Office", 1, 0}, {"B", "offic", 1, 0}, {"C", "office ", 1, 0}},
       {},
       office,
       {}},
      {"no network in range, no auto profile, or an empty name: no candidate",
       {{"Home", "home", 1, 0}, {"Blank", "", 1, 0}},
       {},
       {{"", true, 80}},
       {}},
      {"none at all", {}, {"Home"}, office, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.chosen, ChooseProfiles(c.profiles, c.recent, c.inRange)) << c.what;
}

}  // namespace
}  // namespace tarnel::settings
