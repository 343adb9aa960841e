#include "adapter/portable/MacAddress.h"

#include <cstdio>

namespace tarnel {

std::string FormatMacAddress(const uint8_t mac[6]) {
  char text[18];
  std::snprintf(text, sizeof(text), "%.2X:%.2X:%.2X:%.2X:%.2X:%.2X", mac[0], mac[1], mac[2],
                mac[3], mac[4], mac[5]);
  return text;
}

}  // namespace tarnel
