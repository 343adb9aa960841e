#include "settings/portable/Values.h"

namespace tarnel::settings {

const std::array<const char*, kNetModeCount> kNetModeTexts = {"Ad Hoc", "Infrastructure"};
const std::array<const char*, kTxRateCount> kTxRateTexts = {"Auto", "1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"};
const std::array<const char*, kPowerModeCount> kPowerModeTexts = {"Disable", "Maximum", "Normal"};

bool ConfigurationValues::operator==(const ConfigurationValues& other) const {
  return ssid == other.ssid && netMode == other.netMode && powerMode == other.powerMode &&
         channel == other.channel && txRate == other.txRate && autoConnect == other.autoConnect &&
         priority == other.priority;
}

}  // namespace tarnel::settings
