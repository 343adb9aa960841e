// The network half of a profile: name, mode, channel, rate and power saving, as values.
// Saving comes first, then the driver hears of the settings in a fixed order that ends with a
// rescan. The Configuration page and the command line both go through here.
#pragma once

#include <cstdint>
#include <string>

#include "pages/portable/NetworkRates.h"

namespace tarnel::settings {

// Positions in the page's lists; the channel is the list position + 1. -1 (0 for the channel)
// stands for no selection.
struct ConfigurationValues {
  std::string ssid;  // at most kMaxNetworkNameLength characters
  int32_t netMode = 1;
  int32_t channel = 1;
  int32_t txRate = 0;
  int32_t powerMode = 0;

  bool operator==(const ConfigurationValues& other) const;
  bool operator!=(const ConfigurationValues& other) const { return !(*this == other); }
};

// What the driver's and the store's 33-byte buffers hold.
constexpr int kMaxNetworkNameLength = 32;

// Entries of the page's lists.
constexpr int kNetModeCount = 2;    // "Ad Hoc", "Infrastructure"
constexpr int kTxRateCount = 5;     // "Auto" to "11 Mbps"
constexpr int kPowerModeCount = 3;  // "Disable", "Maximum", "Normal"

// The profile's stored settings over values; what the store cannot read keeps the given value.
void LoadConfiguration(const std::string& profile, ConfigurationValues* values);

// Saves values under profile, then sets mode, name, power saving, channel, the rates that the
// survey finds for the name narrowed by the rate choice, and rescans.
void ApplyConfiguration(const std::string& profile, const ConfigurationValues& values);

// The rate flags a site survey reports for the named network; all basic when not in range.
RateFlags FindNetworkRates(const std::string& ssid);

// Stored values as the page's lists can show them: a value outside its list has no selection,
// and channelCount is the number of channels in the adapter's plan.
ConfigurationValues ConfigurationAsShown(ConfigurationValues stored, int channelCount);

// The number of channels in the driver's channel plan.
int ChannelPlanSize();

}  // namespace tarnel::settings
