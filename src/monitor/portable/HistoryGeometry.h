// Where the link's history lands in the monitor's upper plot: percent to row, age to column,
// the runs of readings with link (a gap wherever there was none), the minute marks and the
// figures of the span.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "monitor/portable/LinkHistory.h"

namespace tarnel {

constexpr uint32_t kHistorySpanMs = 10 * 60 * 1000;
// Readings further apart than this (a suspend, a stopped timer) leave a gap between them.
constexpr uint32_t kHistoryGapMs = 1500;

struct PlotArea {
  int left, top, width, height;
  int Right() const { return left + width - 1; }
  int Bottom() const { return top + height - 1; }
};

struct PixelPoint {
  int x, y;
  bool operator==(const PixelPoint& o) const { return x == o.x && y == o.y; }
};

// 100 % on the top row, 0 % on the bottom row; values outside 0..100 held at the ends.
int PercentToY(int percent, const PlotArea& area);
// Age 0 on the right edge, the whole span on the left edge.
int AgeToX(uint32_t ageMs, const PlotArea& area);

enum class HistoryLine { Signal, Quality };

// One line as a PolyPolyline takes it: the points of every run back to back, each run's
// count. A lone reading becomes a two-pixel dash so that it shows.
struct Polylines {
  std::vector<PixelPoint> points;
  std::vector<unsigned long> counts;
};
Polylines HistoryRuns(const LinkHistory& history, uint32_t nowMs, const PlotArea& area, HistoryLine line);

// Columns of the marks for 0, 1, ... 10 minutes ago, right to left.
std::vector<int> MinuteMarks(const PlotArea& area);

// Current, lowest, average and highest of the readings with link in the span.
struct SpanFigures {
  int count = 0;          // readings with link in the span
  bool linkedNow = false;
  int current = 0, lowest = 0, average = 0, highest = 0;
};
SpanFigures FiguresOf(const LinkHistory& history, uint32_t nowMs, HistoryLine line);
// "Signal\nnow 75 %\nlowest 60 %\naverage 70 %\nhighest 80 %", dashes where nothing is known.
std::string FiguresText(const char* name, const SpanFigures& figures);

}  // namespace tarnel
