#include "Journey.h"

#include <cstdio>
#include <cstring>

namespace tarnel::test {

std::string Journey::Bssid(const std::string& ssid) {
  const sim::SimState state = Sim().Snapshot();
  for (int i = 0; i < state.networkCount; ++i) {
    const SiteSurveyEntry& n = state.networks[i];
    if (ssid != std::string(n.ssid, strnlen(n.ssid, sizeof(n.ssid)))) continue;
    char text[20];
    std::snprintf(text, sizeof(text), "%02X:%02X:%02X:%02X:%02X:%02X", n.bssid[0], n.bssid[1], n.bssid[2],
                  n.bssid[3], n.bssid[4], n.bssid[5]);
    return text;
  }
  return "<not in range>";
}

std::string Journey::LinkStatus(const char* state, const std::string& ssid) {
  return std::string(state) + " --- " + Bssid(ssid);
}

}  // namespace tarnel::test
