#include "monitor/portable/ChannelGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "adapter/portable/MacAddress.h"
#include "adapter/portable/SurveyRecord.h"

namespace tarnel {

namespace {

// Points along each half of a hump.
constexpr int kHalfSteps = 12;

bool MeetsAny(const LabelBox& box, const std::vector<LabelBox>& placed) {
  for (const LabelBox& other : placed)
    if (box.Meets(other)) return true;
  return false;
}

}  // namespace

std::vector<SeenNetwork> SeenNetworksOf(const SiteSurveyEntry* records, int count) {
  std::vector<SeenNetwork> networks;
  for (int i = 0; records && i < count; ++i)
    networks.push_back({SurveySsid(records[i]), FormatMacAddress(records[i].bssid), records[i].channel, records[i].signal});
  return networks;
}

int ChannelMHz(int channel) {
  if (channel >= 1 && channel <= 13) return 2407 + 5 * channel;
  return channel == 14 ? 2484 : 0;
}

ChannelAxis MakeChannelAxis(const std::vector<int>& plan, int left, int width) {
  ChannelAxis axis;
  if (plan.empty() || !ChannelMHz(plan.front()) || !ChannelMHz(plan.back())) return axis;
  axis.lowMHz = ChannelMHz(plan.front()) - kHumpHalfWidthMHz;
  axis.highMHz = ChannelMHz(plan.back()) + kHumpHalfWidthMHz;
  axis.left = left;
  axis.width = width;
  return axis;
}

int MHzToX(const ChannelAxis& axis, int mhz) {
  if (axis.Empty()) return axis.left;
  const long long offset = static_cast<long long>(mhz - axis.lowMHz) * (axis.width - 1);
  const long long span = axis.highMHz - axis.lowMHz;
  return axis.left + static_cast<int>((offset + span / 2) / span);
}

bool InPlan(const std::vector<int>& plan, int channel) {
  return std::find(plan.begin(), plan.end(), channel) != plan.end();
}

HumpSpan HumpOf(const ChannelAxis& axis, int channel) {
  const int centre = ChannelMHz(channel);
  return {MHzToX(axis, centre - kHumpHalfWidthMHz), MHzToX(axis, centre), MHzToX(axis, centre + kHumpHalfWidthMHz)};
}

std::vector<PixelPoint> HumpOutline(const ChannelAxis& axis, int channel, int signal, const PlotArea& area) {
  const HumpSpan span = HumpOf(axis, channel);
  const int base = area.Bottom();
  const int rise = base - PercentToY(signal, area);
  std::vector<PixelPoint> points;
  for (int i = -kHalfSteps; i <= kHalfSteps; ++i) {
    const double t = static_cast<double>(i) / kHalfSteps;  // -1 left foot, 0 peak, 1 right foot
    const int x = i < 0 ? span.centre + static_cast<int>(std::lround(t * (span.centre - span.left)))
                        : span.centre + static_cast<int>(std::lround(t * (span.right - span.centre)));
    // A raised cosine: steep flanks, a round top.
    const double height = 0.5 * (1.0 + std::cos(3.14159265358979 * t));
    points.push_back({x, base - static_cast<int>(std::lround(rise * height))});
  }
  return points;
}

std::vector<int> ChannelsReached(int channel, const std::vector<int>& plan) {
  std::vector<int> reached;
  const int centre = ChannelMHz(channel);
  if (!centre) return reached;
  for (int other : plan)
    if (ChannelMHz(other) && std::abs(ChannelMHz(other) - centre) < 2 * kHumpHalfWidthMHz) reached.push_back(other);
  return reached;
}

std::vector<LabelBox> PlaceLabels(const std::vector<LabelBox>& wanted, const PlotArea& area) {
  std::vector<LabelBox> placed;
  for (LabelBox box : wanted) {
    box.x = std::clamp(box.x, area.left, std::max(area.left, area.Right() + 1 - box.width));
    box.y = std::max(box.y, area.top);
    const int start = box.y;
    while (MeetsAny(box, placed) && box.y - box.height >= area.top) box.y -= box.height;
    if (MeetsAny(box, placed)) {
      box.y = start;
      while (MeetsAny(box, placed) && box.y + 2 * box.height <= area.Bottom() + 1) box.y += box.height;
    }
    placed.push_back(box);
  }
  return placed;
}

}  // namespace tarnel
