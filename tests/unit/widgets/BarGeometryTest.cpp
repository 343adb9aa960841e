#include "widgets/portable/BarGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarnel {
namespace {

TEST(BarRange, AbsoluteSpanWithOneForAnEmptyRange) {
  EXPECT_EQ(100, BarRange(0, 100));
  EXPECT_EQ(100, BarRange(100, 0)) << "reversed ends";
  EXPECT_EQ(100, BarRange(-50, 50));
  EXPECT_EQ(1, BarRange(7, 7));
  EXPECT_EQ(INT_MAX, BarRange(INT_MIN, INT_MAX)) << "saturates instead of overflowing";
}

TEST(ClampBarPosition, OutsideValuesTakeTheNearerEnd) {
  EXPECT_EQ(0, ClampBarPosition(-1, 0, 100));
  EXPECT_EQ(100, ClampBarPosition(101, 0, 100));
  EXPECT_EQ(42, ClampBarPosition(42, 0, 100));
  EXPECT_EQ(-50, ClampBarPosition(INT_MIN, -50, 50));
}

TEST(BarFillWidth, PercentOfTheClientWidth) {
  struct Case {
    int width, lower, position, range, fill;
  };
  const Case cases[] = {
      {200, 0, 0, 100, 0},     {200, 0, 50, 100, 100}, {200, 0, 100, 100, 200},
      {133, 0, 33, 100, 43},   // 1.33 * 33 = 43.89, truncated
      {200, 0, 1, 3, 66},      // percent 33.33 truncated to 33 before the width step
      {200, -50, 0, 100, 100},  // the lower end's magnitude counts: middle of -50..50
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.fill, BarFillWidth(c.width, c.lower, c.position, c.range))
        << c.width << " px, lower " << c.lower << ", position " << c.position << ", range " << c.range;
}

TEST(BarFillWidth, FullBarSpansTheClientAtEveryWidth) {
  // 0.29 * 100 is 28.999... in double; the single-precision step makes it 29.
  for (int width = 1; width <= 2000; ++width)
    ASSERT_EQ(width, BarFillWidth(width, 0, 100, 100)) << "width " << width;
}

TEST(BarFillWidth, FillPastTheRightEdgeStopsOnePixelShort) {
  // A positive lower end counts on top of the position: 10..20 at 20 is 300 percent.
  EXPECT_EQ(199, BarFillWidth(200, 10, 20, 10));
  // Extreme values stay defined (the sanitizers watch for overflow here).
  EXPECT_EQ(199, BarFillWidth(200, 1000000000, 1000000001, 1));
  EXPECT_EQ(199, BarFillWidth(200, INT_MIN, INT_MAX, INT_MAX)) << "200 percent";
  EXPECT_EQ(0, BarFillWidth(200, 0, -5, 100)) << "never negative";
  EXPECT_EQ(0, BarFillWidth(0, 0, 50, 100));
}

TEST(BarStripSize, FilledRectangleShrunkByOnePixelEachSide) {
  EXPECT_EQ(98, BarStripSize(200, 20, 0, 50, 100).width);
  EXPECT_EQ(18, BarStripSize(200, 20, 0, 50, 100).height);
  EXPECT_EQ(198, BarStripSize(200, 20, 0, 100, 100).width);
  EXPECT_TRUE(BarStripSize(200, 20, 0, 0, 100).Empty());
  EXPECT_TRUE(BarStripSize(200, 20, 0, 1, 100).Empty()) << "2 px filled shrink to nothing";
  EXPECT_FALSE(BarStripSize(200, 20, 0, 2, 100).Empty());
  EXPECT_TRUE(BarStripSize(200, 2, 0, 100, 100).Empty()) << "no height left";
}

TEST(TileCount, WholeTilesCoveringTheExtent) {
  EXPECT_EQ(0, TileCount(0, 300));
  EXPECT_EQ(1, TileCount(1, 300));
  EXPECT_EQ(1, TileCount(300, 300));
  EXPECT_EQ(2, TileCount(301, 300));
  EXPECT_EQ(3, TileCount(648, 300));
  EXPECT_EQ(0, TileCount(10, 0)) << "no bitmap size, no tiles";
}

TEST(DibColourCount, ColoursUsedElseTwoToTheDepth) {
  EXPECT_EQ(2u, DibColourCount(0, 1));
  EXPECT_EQ(16u, DibColourCount(0, 4));
  EXPECT_EQ(256u, DibColourCount(0, 8));
  EXPECT_EQ(20u, DibColourCount(20, 8));
  EXPECT_TRUE(UsesOwnColourTable(DibColourCount(0, 8)));
  EXPECT_FALSE(UsesOwnColourTable(DibColourCount(0, 16)));
  EXPECT_FALSE(UsesOwnColourTable(DibColourCount(0, 24)));
  EXPECT_FALSE(UsesOwnColourTable(DibColourCount(0, 32))) << "2^32 must not wrap to a small count";
}

}  // namespace
}  // namespace tarnel
