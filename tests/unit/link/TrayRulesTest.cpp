// The notification-area icon's step choice and its tip field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/portable/TrayRules.h"

namespace tarnel {
namespace {

TEST(TrayRules, TheWeakerFigureDecidesAndFiguresAbove100CountOnlyTogether) {
  struct Case {
    uint32_t signal, quality;
    TrayStep step;
  } cases[] = {
      {0, 0, TrayStep::NoLink},     {80, 20, TrayStep::Weak},         {45, 90, TrayStep::Medium},
      {100, 60, TrayStep::Strong},  {150, 70, TrayStep::Strong},      {150, 150, TrayStep::Unchanged},
      {0, 150, TrayStep::NoLink},   {29, 100, TrayStep::Weak},        {30, 100, TrayStep::Medium},
      {59, 60, TrayStep::Medium},   {101, 101, TrayStep::Unchanged},  {101, 1, TrayStep::Weak},
      {65535, 30, TrayStep::Medium},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.step, TrayStepFor(c.signal << 16 | c.quality)) << c.signal << "/" << c.quality;
}

TEST(TrayRules, TheTipIsCutTo127CharactersAndAlwaysTerminated) {
  char field[128];
  std::memset(field, '?', sizeof(field));
  CopyTrayTip(std::string(200, 'x').c_str(), field, sizeof(field));
  EXPECT_EQ(std::string(127, 'x'), std::string(field));
  CopyTrayTip("IEEE 802.11b WLAN Cardbus Utility", field, sizeof(field));
  EXPECT_STREQ("IEEE 802.11b WLAN Cardbus Utility", field);
  CopyTrayTip(nullptr, field, sizeof(field));
  EXPECT_STREQ("", field);
  // A one-line shell's tip: what the link is.
  EXPECT_EQ("Radio off", LastTipLine("IEEE 802.11b WLAN Cardbus Utility\nRadio off"));
  EXPECT_EQ("IEEE 802.11b WLAN Cardbus Utility", LastTipLine("IEEE 802.11b WLAN Cardbus Utility"));
  EXPECT_EQ("", LastTipLine(nullptr));
}

TEST(TrayRules, TheProfilesMenuListsAllUpTo16ElseTheMostRecentlyCurrentFilledUpInTheListsOrder) {
  const auto numbered = [](int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("P" + std::to_string(i));
    return names;
  };
  TrayProfiles sixteen = TrayProfilesOf(numbered(16), {"P9"});
  EXPECT_EQ(numbered(16), sixteen.names) << "the list's order";
  EXPECT_FALSE(sixteen.more);

  // 5,000 listed: the recent ones as listed (letter case of the list, gone or repeated ones
  // passed over), then the list's first ones.
  TrayProfiles many = TrayProfilesOf(numbered(5000), {"p4999", "Gone", "P7", "P4999", "P0"});
  std::vector<std::string> expected = {"P4999", "P7", "P0"};
  for (int i = 1; expected.size() < kTrayProfileCount; ++i)
    if (i != 7) expected.push_back("P" + std::to_string(i));
  EXPECT_EQ(expected, many.names);
  EXPECT_TRUE(many.more);
  EXPECT_EQ(std::vector<std::string>{}, TrayProfilesOf({}, {"P1"}).names);
}

}  // namespace
}  // namespace tarnel
