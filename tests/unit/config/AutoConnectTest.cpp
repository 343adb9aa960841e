// The choice among the profiles that connect automatically, and the timing over minutes of
// readings (their clock is the only one, so minutes take no time).
#include <gtest/gtest.h>

#include <functional>
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

using Linked = std::function<bool(uint32_t)>;

// down ms without a link, then up ms with one, over and over from the first reading.
Linked Flapping(uint32_t down, uint32_t up) {
  return [=](uint32_t t) { return t % (down + up) >= down; };
}
Linked Never() {
  return [](uint32_t) { return false; };
}
Linked Between(uint32_t from, uint32_t to) {
  return [=](uint32_t t) { return t >= from && t < to; };
}

struct Outcome {
  std::vector<uint32_t> surveys;  // ms from the first reading
  Names switches;                 // "NAME@ms"
};

// Readings 300 ms apart for spanMs, Home current at first; every survey finds inRange (names,
// best first). A switch makes its profile current, as the main window does.
Outcome Drive(uint32_t spanMs, const Linked& linked, const Names& inRange) {
  constexpr uint32_t kStart = 0xFFFF0000u;  // the tick count's wrap passes by
  AutoConnect timing;
  std::string current = "Home";
  Outcome out;
  for (uint32_t t = 0; t < spanMs; t += 300) {
    using Step = AutoConnect::Step;
    Step step = timing.OnReading({kStart + t, linked(t), true}, [] { return false; });
    if (step == Step::kSurvey) {
      out.surveys.push_back(t);
      step = timing.OnSurvey(inRange, current);
    }
    if (step == Step::kSwitch) {
      current = timing.Candidate();
      out.switches.push_back(current + "@" + std::to_string(t));
    }
  }
  return out;
}

TEST(AutoConnectTiming, SurveysAndSwitchesOverMinutesOfALinkThatComesAndGoes) {
  constexpr uint32_t kMinute = 60000;
  const Names home = {"Home", "Office"};  // Home, current, preferred
  struct Case {
    const char* what;
    uint32_t span;
    Linked linked;
    Names inRange;
    std::vector<uint32_t> surveys;
    Names switches;
  } cases[] = {
      {"nothing in range: 5 s, then waits of 10, 20, 40, 80 and 120 s", 5 * kMinute, Never(), {},
       {5100, 15300, 35400, 75600, 155700, 275700}, {}},
      {"flapping 6 s / 2 s: no more surveys than with nothing in range, and the current profile left to "
       "the adapter",
       5 * kMinute, Flapping(6000, 2000), home, {5100, 21300, 45300, 85500, 165600, 285600}, {}},
      {"flapping 12 s / 3 s", 2 * kMinute, Flapping(12000, 3000), home, {5100, 20100, 40200, 80400}, {}},
      {"flapping 1 s / 1 s: never 5 s without a link", 2 * kMinute, Flapping(1000, 1000), home, {}, {}},
      {"the current profile in range but the adapter does not come back: applied at the first survey "
       "30 s after the first that found it, then the waits go on growing",
       2 * kMinute, Never(), {"Home"}, {5100, 15300, 35400, 85800}, {"Home@35400"}},
      {"another profile preferred: switched to at once, as any candidate", 40000, Never(),
       {"Office", "Home"}, {5100, 35700}, {"Office@5100", "Home@15300", "Office@35700"}},
      {"after 5 min with nothing in range, a link held 90 s starts the waits again from 10 s", 410000,
       Between(300000, 390000), {}, {5100, 15300, 35400, 75600, 155700, 275700, 395100, 405300}, {}},
      {"...a link of 30 s does not: the 2 min wait goes on", 410000, Between(300000, 330000), {},
       {5100, 15300, 35400, 75600, 155700, 275700, 395700}, {}},
  };
  for (const Case& c : cases) {
    const Outcome out = Drive(c.span, c.linked, c.inRange);
    EXPECT_EQ(c.surveys, out.surveys) << c.what;
    EXPECT_EQ(c.switches, out.switches) << c.what;
  }
}

}  // namespace
}  // namespace tarnel::settings
