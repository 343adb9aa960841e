// What the adapter reports about itself, read in one go, and its radio switch. The link page and
// the tray read and switch the same through the driver-control library; nvkctl goes through here.
#pragma once

#include <cstdint>
#include <string>

#include "settings/portable/LinkReading.h"

namespace tarnel::settings {

struct AdapterState {
  int32_t linkState = 3;   // the library's link state, "Not Associated" unless it says otherwise
  bool linked = false;     // neither scanning nor not associated: the link figures below mean something
  int32_t networkType = 0;  // 0 ad hoc
  std::string ssid;
  std::string bssid;     // "00:0A:FF:10:20:3C"
  int32_t channel = -1;
  std::string rate;      // the fastest rate in Mbit/s ("5.5"); empty when none is set
  std::string mac;
  std::string ip;        // of the platform's adapter with the same MAC; empty when none has it
  int32_t signal = 0;
  int32_t quality = 0;
  bool radioOff = false;
  bool systemManaged = false;  // the system's own wireless configuration manages the adapter
  std::string driverVersion;
};

AdapterState ReadAdapterState();

// The driver's version text as the library delivers it (up to its buffer's end when unterminated):
// the version panel's, status's and version's.
std::string DriverVersionText();
// One reading of the link with the calls of the link page's tick: radio, unplug, link, channel,
// signal. An unplugged adapter is asked nothing more.
LinkReading ReadLinkReading(uint32_t atMs);

// True while the system's own wireless configuration manages the adapter.
bool IsSystemManaged();

// The IP address of the platform's network adapter whose MAC text is mac; empty when none.
std::string IpAddressOf(const std::string& mac);

void SwitchRadio(bool on);

}  // namespace tarnel::settings
