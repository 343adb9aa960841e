// Text form of a six-byte hardware address: "00:0A:FF:10:20:3C".
#pragma once

#include <cstdint>
#include <string>

namespace tarnel {

std::string FormatMacAddress(const uint8_t mac[6]);

}  // namespace tarnel
