#include "SimDefaults.h"

#include <algorithm>
#include <cstring>

namespace tarnel::sim {
namespace {

constexpr uint8_t kRate1Basic = 0x82;
constexpr uint8_t kRate2Basic = 0x84;
constexpr uint8_t kRate55 = 0x0B;
constexpr uint8_t kRate11 = 0x16;

struct DefaultNetwork {
  const char* ssid;
  uint8_t type;
  uint8_t channel;
  uint8_t signal;
  bool wep;
  bool fewerRates;
};

// A plausible neighbourhood: the first one is the network the adapter starts associated with.
constexpr DefaultNetwork kDefaultNetworks[] = {
    {"tarnel-lab", 1, 6, 78, false, false},      {"Harbour-Office", 1, 1, 64, true, false},
    {"meshroom", 0, 11, 41, false, true},        {"Cafe_Guest", 1, 11, 23, false, false},
    {"warehouse-ap3", 1, 9, 55, true, false},    {"printer-direct", 0, 3, 35, true, false},
};

void ApplyDefaults(SimState& s) {
  s.initializeAnswer = 1;
  s.networkType = 1;
  s.channelPlan = 0;
  s.frozenSignal = 78;
  s.frozenQuality = 70;
  s.setNetworkType = 1;
  s.ratesAuto = 1;
  s.privacyKeyBits = 64;
  s.authenticationMode = 2;
  s.associationDelayMs = 1000;
  s.scanDelayMs = 200;
  s.devNodeProblem = -1;
  CopyText(s.macText, sizeof(s.macText), "00:0A:FF:47:10:01");
  CopyText(s.driverText, sizeof(s.driverText), "NVK4710 Driver 2.1.0.12");
  for (const DefaultNetwork& n : kDefaultNetworks) {
    AddNetwork(s, MakeNetwork(n.ssid, n.type, n.channel, n.signal, n.wep, n.fewerRates));
  }
  const SiteSurveyEntry& home = s.networks[0];
  s.linkState = NV_LINK_ASSOCIATED;
  s.channel = home.channel;
  s.setChannel = home.channel;
  s.linkSignal = home.signal;
  CopyText(s.ssid, sizeof(s.ssid), kDefaultNetworks[0].ssid);
  CopyText(s.setSsid, sizeof(s.setSsid), kDefaultNetworks[0].ssid);
  std::memcpy(s.bssid, home.bssid, sizeof(home.bssid));
}

}  // namespace

void InitializeState(SimState& state) {
  state.version = kStateVersion;
  state.size = sizeof(SimState);
  state.lockOwner = 0;
  ResetState(state);
}

void ResetState(SimState& state) {
  char* body = reinterpret_cast<char*>(&state) + offsetof(SimState, initializeAnswer);
  std::memset(body, 0, sizeof(SimState) - offsetof(SimState, initializeAnswer));
  ApplyDefaults(state);
}

SiteSurveyEntry MakeNetwork(std::string_view ssid, uint8_t networkType, uint8_t channel,
                            uint8_t signal, bool wep, bool fewerRates) {
  SiteSurveyEntry e{};
  e.networkType = networkType;
  std::memcpy(e.ssid, ssid.data(), std::min(ssid.size(), sizeof(e.ssid)));
  // A stable address per name: the vendor prefix the adapter's own MAC uses, then a hash.
  uint32_t hash = 2166136261u;
  for (char c : ssid) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  const uint8_t bssid[6] = {0x00, 0x0A, 0xFF, static_cast<uint8_t>(hash >> 16),
                            static_cast<uint8_t>(hash >> 8), static_cast<uint8_t>(hash)};
  std::memcpy(e.bssid, bssid, sizeof(bssid));
  e.signal = signal;
  e.channel = channel;
  e.wep = wep ? 1 : 0;
  const uint8_t rates[4] = {kRate1Basic, kRate2Basic, kRate55, kRate11};
  std::memcpy(e.rates, rates, fewerRates ? 2 : 4);
  return e;
}

bool AddNetwork(SimState& state, const SiteSurveyEntry& network) {
  if (state.networkCount < 0 || state.networkCount >= kMaxNetworks) return false;
  state.networks[state.networkCount++] = network;
  return true;
}

void CopyText(char* field, size_t fieldSize, std::string_view text) {
  if (fieldSize == 0) return;
  const size_t n = std::min(text.size(), fieldSize - 1);
  std::memcpy(field, text.data(), n);
  std::memset(field + n, 0, fieldSize - n);
}

}  // namespace tarnel::sim
