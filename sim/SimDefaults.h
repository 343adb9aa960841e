// Defaults of the simulated adapter and the making of networks in range.
#pragma once

#include <cstdint>
#include <string_view>

#include "SimState.h"

namespace tarnel::sim {

// Header fields (except the magic, which the creator writes last) and every default.
void InitializeState(SimState& state);

// Restores every default below the header; the header and the lock stay as they are.
void ResetState(SimState& state);

// A network record: rates 1 and 2 Mbps basic, 5.5 and 11 Mbps supported, unless
// fewerRates keeps only 1 and 2. The BSSID is derived from the name.
SiteSurveyEntry MakeNetwork(std::string_view ssid, uint8_t networkType, uint8_t channel,
                            uint8_t signal, bool wep, bool fewerRates = false);

// Appends a record; false when kMaxNetworks are already in range.
bool AddNetwork(SimState& state, const SiteSurveyEntry& network);

// Copies text into a fixed field, cut to fit with a terminator always kept.
void CopyText(char* field, size_t fieldSize, std::string_view text);

}  // namespace tarnel::sim
