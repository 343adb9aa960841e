// Where the networks of a survey land over the channel plan in the monitor's lower plot: an
// 802.11b network spreads over 22 MHz around its centre while the channels are 5 MHz apart, so
// each network is a hump across several channels.
#pragma once

#include <string>
#include <vector>

#include "adapter/NvApi.h"
#include "monitor/portable/HistoryGeometry.h"

namespace tarnel {

constexpr int kHumpHalfWidthMHz = 11;

// One network of a survey as the monitor needs it.
struct SeenNetwork {
  std::string ssid;
  std::string bssid;  // "00:0A:FF:10:20:3C"
  int channel = 0;
  int signal = 0;     // percent
};

// The first count records of a survey.
std::vector<SeenNetwork> SeenNetworksOf(const SiteSurveyEntry* records, int count);

// Centre frequency of a 2.4 GHz channel (1-13 every 5 MHz from 2412, 14 at 2484); 0 otherwise.
int ChannelMHz(int channel);

// The frequency axis: from half a hump below the plan's first channel to half a hump above its
// last, so networks at the plan's edges are drawn whole. Empty plan: nothing is drawn.
struct ChannelAxis {
  int lowMHz = 0, highMHz = 0;
  int left = 0, width = 0;
  bool Empty() const { return highMHz <= lowMHz || width <= 1; }
};
ChannelAxis MakeChannelAxis(const std::vector<int>& plan, int left, int width);
int MHzToX(const ChannelAxis& axis, int mhz);
bool InPlan(const std::vector<int>& plan, int channel);

// Columns of a network's hump, its centre 11 MHz from each end.
struct HumpSpan {
  int left, centre, right;
};
HumpSpan HumpOf(const ChannelAxis& axis, int channel);
// The hump's outline from its left foot over the peak (signal percent of the area's height) to
// its right foot, on the area's bottom row.
std::vector<PixelPoint> HumpOutline(const ChannelAxis& axis, int channel, int signal, const PlotArea& area);
// The plan's channels whose own 22 MHz overlap this network's: 2 to 10 for channel 6.
std::vector<int> ChannelsReached(int channel, const std::vector<int>& plan);

// A label's box. PlaceLabels takes each at its wanted place (above its peak) in drawing order
// and moves it up, a line at a time, until it meets none placed before it; where the top of the
// area stops it, down from its wanted place instead. Boxes stay within the area's columns.
struct LabelBox {
  int x, y, width, height;
  bool Meets(const LabelBox& o) const {
    return x < o.x + o.width && o.x < x + width && y < o.y + o.height && o.y < y + height;
  }
};
std::vector<LabelBox> PlaceLabels(const std::vector<LabelBox>& wanted, const PlotArea& area);

}  // namespace tarnel
