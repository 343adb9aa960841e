#include <gtest/gtest.h>

#include "monitor/portable/ChannelGeometry.h"
#include "monitor/portable/HistoryGeometry.h"

namespace tarnel {
namespace {

constexpr PlotArea kArea = {10, 20, 601, 101};  // one row per percent, one column per second

LinkSample Linked(uint32_t at, int signal, int quality = 50) { return {at, true, signal, quality}; }

TEST(HistoryGeometry, ReadingToPixel) {
  struct Case {
    int percent, y;
  };
  for (const Case& c : {Case{100, 20}, Case{75, 45}, Case{0, 120}, Case{-5, 120}, Case{130, 20}})
    EXPECT_EQ(c.y, PercentToY(c.percent, kArea)) << c.percent << " %";
  EXPECT_EQ(610, AgeToX(0, kArea));
  EXPECT_EQ(10, AgeToX(kHistorySpanMs, kArea));
  EXPECT_EQ(10, AgeToX(kHistorySpanMs + 5000, kArea)) << "older than the span: held at the left edge";
  EXPECT_EQ(550, AgeToX(60000, kArea));
  const std::vector<int> marks = MinuteMarks(kArea);
  ASSERT_EQ(11u, marks.size());
  EXPECT_EQ(610, marks.front());
  EXPECT_EQ(10, marks.back());
}

TEST(HistoryGeometry, GapsWhereThereWasNoLink) {
  LinkHistory history;
  history.Add(Linked(1000, 80));
  history.Add(Linked(1300, 70));
  history.Add(LinkSample{1600, false, 0, 0});  // link lost
  history.Add(Linked(1900, 60));               // a lone reading: a two-pixel dash
  history.Add(Linked(2200 + kHistoryGapMs, 50));  // after a silence (suspend): a new run
  history.Add(Linked(2500 + kHistoryGapMs, 50));
  const uint32_t now = 2500 + kHistoryGapMs;
  const Polylines runs = HistoryRuns(history, now, kArea, HistoryLine::Signal);
  ASSERT_EQ((std::vector<unsigned long>{2, 2, 2}), runs.counts);
  EXPECT_EQ(PercentToY(80, kArea), runs.points[0].y);
  EXPECT_EQ(runs.points[2].x + 1, runs.points[3].x);
  EXPECT_EQ(runs.points[2].y, runs.points[3].y);
  EXPECT_EQ(610, runs.points[5].x);

  const SpanFigures f = FiguresOf(history, now, HistoryLine::Signal);
  EXPECT_EQ(5, f.count);
  EXPECT_TRUE(f.linkedNow);
  EXPECT_EQ(50, f.current);
  EXPECT_EQ(50, f.lowest);
  EXPECT_EQ(62, f.average);  // 310 / 5
  EXPECT_EQ(80, f.highest);
  EXPECT_EQ("Signal\nnow 50 %\nlowest 50 %\naverage 62 %\nhighest 80 %", FiguresText("Signal", f));
  EXPECT_EQ("Quality\nnow no link\nlowest -\naverage -\nhighest -", FiguresText("Quality", SpanFigures{}));
}

TEST(HistoryGeometry, ReadingsSharingAColumnKeepItsExtremesInTheirOrder) {
  LinkHistory history;
  for (int signal : {50, 80, 20, 60, 70}) history.Add(Linked(100 + history.Size() * 200, signal));  // one column
  history.Add(Linked(2000, 40));
  const Polylines runs = HistoryRuns(history, 2000, kArea, HistoryLine::Signal);
  ASSERT_EQ((std::vector<unsigned long>{3}), runs.counts);
  EXPECT_EQ(PercentToY(80, kArea), runs.points[0].y) << "the highest came before the lowest";
  EXPECT_EQ(PercentToY(20, kArea), runs.points[1].y);
  EXPECT_EQ(runs.points[0].x, runs.points[1].x);
  EXPECT_EQ((PixelPoint{610, PercentToY(40, kArea)}), runs.points[2]);
  EXPECT_EQ(609, runs.points[0].x);
}

TEST(LinkHistory, RingKeepsTheLatestWithoutGrowing) {
  LinkHistory history;
  for (uint32_t i = 0; i < LinkHistory::kCapacity + 5; ++i) history.Add(Linked(i * 300, static_cast<int>(i % 100)));
  ASSERT_EQ(LinkHistory::kCapacity, history.Size());
  EXPECT_EQ(5u * 300, history[0].atMs);
  EXPECT_EQ((LinkHistory::kCapacity + 4) * 300, history.Latest().atMs);
  LinkReading radioOff;
  radioOff.linked = true;
  radioOff.radioOff = true;
  radioOff.signal = 90;
  history.Add(radioOff);
  EXPECT_FALSE(history.Latest().linked) << "a reading with the radio off is no link";
  EXPECT_EQ(0, history.Latest().signal);
}

TEST(ChannelGeometry, HumpSpansAtThePlansEdges) {
  const std::vector<int> plan = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const ChannelAxis axis = MakeChannelAxis(plan, 0, 221);  // 2401..2473 MHz
  struct Case {
    int channel, left, centre, right;
  };
  for (const Case& c : {Case{1, 0, 34, 67}, Case{6, 76, 110, 144}, Case{11, 153, 186, 220}}) {
    const HumpSpan span = HumpOf(axis, c.channel);
    EXPECT_EQ(c.left, span.left) << "channel " << c.channel;
    EXPECT_EQ(c.centre, span.centre) << "channel " << c.channel;
    EXPECT_EQ(c.right, span.right) << "channel " << c.channel;
  }
  EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}), ChannelsReached(6, plan));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), ChannelsReached(1, plan));
  EXPECT_EQ((std::vector<int>{14}), ChannelsReached(14, {14})) << "channel 14 lies 12 MHz past 13";
  EXPECT_EQ((std::vector<int>{12, 13}), ChannelsReached(14, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  EXPECT_TRUE(MakeChannelAxis({}, 0, 100).Empty()) << "unknown plan: nothing drawn";
  EXPECT_FALSE(InPlan(plan, 14));

  const PlotArea area = {0, 0, 221, 101};
  const std::vector<PixelPoint> outline = HumpOutline(axis, 6, 75, area);
  EXPECT_EQ((PixelPoint{76, 100}), outline.front());
  EXPECT_EQ((PixelPoint{110, 25}), outline[outline.size() / 2]);
  EXPECT_EQ((PixelPoint{144, 100}), outline.back());
}

TEST(ChannelGeometry, OverlappingLabelsMakeWay) {
  const PlotArea area = {0, 0, 300, 100};
  const std::vector<LabelBox> placed = PlaceLabels(
      {{100, 40, 60, 10}, {110, 40, 60, 10}, {120, 45, 60, 10}, {280, 40, 60, 10}, {0, 2, 60, 10}, {10, 2, 60, 10}},
      area);
  EXPECT_EQ(40, placed[0].y) << "the first keeps its place";
  EXPECT_EQ(30, placed[1].y) << "moved up one line";
  EXPECT_EQ(15, placed[2].y);
  EXPECT_EQ(240, placed[3].x) << "kept within the area";
  EXPECT_EQ(2, placed[4].y);
  EXPECT_EQ(12, placed[5].y) << "no room above: moved down instead";
  for (size_t i = 0; i < placed.size(); ++i)
    for (size_t j = i + 1; j < placed.size(); ++j) EXPECT_FALSE(placed[i].Meets(placed[j])) << i << " meets " << j;
}

}  // namespace
}  // namespace tarnel
