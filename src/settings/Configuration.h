// The network half of a profile: name, mode, channel, rate and power saving, as values.
// Saving comes first, then the driver hears of the settings in a fixed order that ends with a
// rescan. The Configuration page and the command line both go through here.
#pragma once

#include <string>
#include <vector>

#include "settings/portable/NetworkRates.h"
#include "settings/portable/Values.h"

namespace tarnel::settings {

// The profile's stored settings over values; what the store cannot read keeps the given value.
void LoadConfiguration(const std::string& profile, ConfigurationValues* values);

// Saves values under profile; nothing is sent.
void SaveConfiguration(const std::string& profile, const ConfigurationValues& values);

// Saves values under profile, then sets mode, name, power saving, channel, the rates that the
// survey finds for the name narrowed by the rate choice, and rescans.
void ApplyConfiguration(const std::string& profile, const ConfigurationValues& values);

// The rate flags a site survey reports for the named network; all basic when not in range.
RateFlags FindNetworkRates(const std::string& ssid);

// Stored values as the page's lists can show them: a value outside its list has no selection,
// and channelCount is the number of channels in the adapter's plan.
ConfigurationValues ConfigurationAsShown(ConfigurationValues stored, int channelCount);

// The channel numbers of the driver's channel plan.
std::vector<int> ChannelPlanChannels();

}  // namespace tarnel::settings
