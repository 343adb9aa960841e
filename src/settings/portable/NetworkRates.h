// The transmit rates an apply sends: the named network's rates as a site survey reports them,
// narrowed by the user's rate choice.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnel {

// Per-rate flags for 1, 2, 5.5 and 11 Mbps, in that order.
enum RateFlag : int32_t { kRateOff = 0, kRateOn = 1, kRateBasic = 2 };
using RateFlags = std::array<int32_t, 4>;

// The rate choices of the "Tx Rate" list, by position.
enum RateChoice : int32_t { kRateAuto = 0, kRate1Mbps = 1, kRate2Mbps = 2, kRate55Mbps = 3, kRate11Mbps = 4 };

struct RateSetting {
  uint8_t autoFlag;
  RateFlags rates;
};

// One supported-rates byte: 0 off, 1..128 on, 129..255 (the basic-rate bit) basic.
int32_t RateFlagOfByte(uint8_t rate);

// The rate flags of the first of count survey records whose network name equals name exactly
// (case-sensitive); every flag basic when none does. The name field is read for at most its
// 32 bytes, so a 32-character name (which has no terminator) is found too. Never reads past
// size bytes or past the 260th record, whatever count says.
RateFlags SurveyRatesOf(const uint8_t* records, size_t size, int32_t count, const std::string& name);

// "Auto" switches auto on and every rate off; 1, 2 and 5.5 Mbps switch off the faster rates;
// 11 Mbps and no choice (-1, or anything else) leave the flags as found.
RateSetting ApplyRateChoice(const RateFlags& found, int32_t choice);

}  // namespace tarnel
