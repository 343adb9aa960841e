// The link page's texts and the link-status word.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "settings/portable/LinkTexts.h"

namespace tarnel {
namespace {

TEST(LinkTexts, StatusTextsAndAFixedOneForUndefinedStates) {
  const char* texts[] = {"Scanning", "Associated", "Ad-Hoc", "Not Associated"};
  for (int32_t state = 0; state < 4; ++state) EXPECT_STREQ(texts[state], LinkStatusText(state));
  for (int32_t state : {-1, 4, INT_MAX, INT_MIN}) EXPECT_STREQ("Unknown", LinkStatusText(state)) << state;
  for (int32_t state : {1, 2, -1, 4}) EXPECT_FALSE(IsNoLinkState(state)) << state;
  EXPECT_TRUE(IsNoLinkState(0) && IsNoLinkState(3));
}

TEST(LinkTexts, TheFastestSetRateFlagWins) {
  EXPECT_STREQ("11", HighestRateText(1, 1, 1, -1));
  EXPECT_STREQ("5.5", HighestRateText(1, 1, 1, 0));
  EXPECT_STREQ("2", HighestRateText(1, 1, 0, 0));
  EXPECT_STREQ("1", HighestRateText(1, 0, 0, 0));
  EXPECT_EQ(nullptr, HighestRateText(0, 0, 0, 0));
}

TEST(LinkTexts, BufferTextNeverReadsPastTheBuffer) {
  const char terminated[36] = "HomeNet";
  EXPECT_EQ("HomeNet", BufferText(terminated, sizeof(terminated)));
  // A heap block of exactly the buffer's size: one byte more is caught by the sanitizer.
  for (size_t size : {size_t{36}, size_t{20}}) {
    std::unique_ptr<char[]> full(new char[size]);
    std::fill(full.get(), full.get() + size, 'A');
    EXPECT_EQ(std::string(size, 'A'), BufferText(full.get(), size));
  }
}

TEST(LinkTexts, TheStatusWordCutsEachFigureTo16Bits) {
  EXPECT_EQ(0x640000u, LinkStatusWord(100, 0));
  EXPECT_EQ(0x00010002u, LinkStatusWord(0x10001, 0x30002));
  EXPECT_EQ(0xFFFF0078u, LinkStatusWord(-1, 120)) << "a negative figure does not spill into the other";
  EXPECT_EQ("120%", PercentText(120));
  EXPECT_EQ("-2147483648%", PercentText(INT_MIN));
}

}  // namespace
}  // namespace tarnel
