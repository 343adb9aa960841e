// One reading of the link as the link page's tick takes it. The main window hands each one to
// what watches the link over time (automatic connection, link events, the link's history), so
// none of them asks the driver-control library again.
#pragma once

#include <cstdint>
#include <string>

namespace tarnel {

struct LinkReading {
  uint32_t atMs = 0;            // the tick clock when read; compare by unsigned difference
  bool adapterPresent = true;   // false once the adapter is found unplugged or gone
  bool radioOff = false;
  int32_t linkState = 3;        // the library's link state
  bool linked = false;          // neither scanning nor not associated: the figures below hold
  bool infrastructure = false;  // network type of the link
  std::string ssid;
  std::string bssid;            // "00:0A:FF:10:20:3C"
  int32_t channel = 0;
  int32_t signal = 0;           // percent
  int32_t quality = 0;          // percent
};

}  // namespace tarnel
