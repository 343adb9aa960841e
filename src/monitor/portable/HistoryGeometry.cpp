#include "monitor/portable/HistoryGeometry.h"

#include <algorithm>

namespace tarnel {

namespace {

int ValueOf(const LinkSample& sample, HistoryLine line) {
  return line == HistoryLine::Signal ? sample.signal : sample.quality;
}

bool InSpan(const LinkSample& sample, uint32_t nowMs) { return nowMs - sample.atMs <= kHistorySpanMs; }

std::string Percent(bool known, int value) { return known ? std::to_string(value) + " %" : "-"; }

}  // namespace

int PercentToY(int percent, const PlotArea& area) {
  const int held = std::clamp(percent, 0, 100);
  return area.top + (100 - held) * (area.height - 1) / 100;
}

int AgeToX(uint32_t ageMs, const PlotArea& area) {
  const uint32_t held = std::min(ageMs, kHistorySpanMs);
  return area.Right() - static_cast<int>(static_cast<uint64_t>(held) * (area.width - 1) / kHistorySpanMs);
}

Polylines HistoryRuns(const LinkHistory& history, uint32_t nowMs, const PlotArea& area, HistoryLine line) {
  Polylines out;
  bool inRun = false;
  uint32_t previousAt = 0;
  size_t columnStart = 0;  // the first point in the latest point's column
  for (size_t i = 0; i < history.Size(); ++i) {
    const LinkSample& sample = history[i];
    const bool drawn = sample.linked && InSpan(sample, nowMs);
    if (!drawn || (inRun && sample.atMs - previousAt > kHistoryGapMs)) inRun = false;
    previousAt = sample.atMs;
    if (!drawn) continue;
    const PixelPoint point = {AgeToX(nowMs - sample.atMs, area), PercentToY(ValueOf(sample, line), area)};
    if (!inRun) {
      out.counts.push_back(0);
      inRun = true;
      columnStart = out.points.size();
    } else if (out.points.back().x != point.x) {
      columnStart = out.points.size();
    } else if (out.points.size() - columnStart == 2) {
      // A third reading in one column: the column keeps its lowest and highest, the earlier
      // first. Ten minutes hold about three readings a column; drawing each costs time.
      PixelPoint& first = out.points[columnStart];
      PixelPoint& second = out.points[columnStart + 1];
      const int low = std::min(first.y, second.y), high = std::max(first.y, second.y);
      if (point.y > high || point.y < low) {
        first.y = point.y > high ? low : high;
        second.y = point.y;
      }
      continue;
    }
    out.points.push_back(point);
    ++out.counts.back();
  }
  // Widen lone readings in place, from the back so earlier offsets hold.
  size_t end = out.points.size();
  for (size_t r = out.counts.size(); r-- > 0;) {
    const size_t start = end - out.counts[r];
    if (out.counts[r] == 1) {
      const PixelPoint p = out.points[start];
      out.points.insert(out.points.begin() + static_cast<long>(start) + 1, {p.x + 1, p.y});
      out.counts[r] = 2;
    }
    end = start;
  }
  return out;
}

std::vector<int> MinuteMarks(const PlotArea& area) {
  std::vector<int> marks;
  for (uint32_t minute = 0; minute <= kHistorySpanMs / 60000; ++minute) marks.push_back(AgeToX(minute * 60000, area));
  return marks;
}

SpanFigures FiguresOf(const LinkHistory& history, uint32_t nowMs, HistoryLine line) {
  SpanFigures f;
  long long sum = 0;
  for (size_t i = 0; i < history.Size(); ++i) {
    const LinkSample& sample = history[i];
    if (!sample.linked || !InSpan(sample, nowMs)) continue;
    const int value = ValueOf(sample, line);
    f.lowest = f.count ? std::min(f.lowest, value) : value;
    f.highest = f.count ? std::max(f.highest, value) : value;
    sum += value;
    ++f.count;
  }
  if (f.count) f.average = static_cast<int>((sum + f.count / 2) / f.count);
  if (!history.Empty() && history.Latest().linked && InSpan(history.Latest(), nowMs)) {
    f.linkedNow = true;
    f.current = ValueOf(history.Latest(), line);
  }
  return f;
}

std::string FiguresText(const char* name, const SpanFigures& f) {
  const bool any = f.count > 0;
  return std::string(name) + "\nnow " + (f.linkedNow ? Percent(true, f.current) : "no link") + "\nlowest " +
         Percent(any, f.lowest) + "\naverage " + Percent(any, f.average) + "\nhighest " + Percent(any, f.highest);
}

}  // namespace tarnel
