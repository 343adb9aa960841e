// What the simulated adapter does on each NV_ call, over the shared state. Platform-free:
// the caller passes the tick count and holds the state's lock for the object's lifetime.
#pragma once

#include <cstdint>
#include <string_view>

#include "SimState.h"

namespace tarnel::sim {

class SimAdapter {
 public:
  // Completes an association that has come due by `now` (milliseconds, wrapping).
  SimAdapter(SimState& state, uint32_t now);

  NvFlag Initialize(int32_t reserved);
  void Stop();
  NvFlag IsUnplug();
  NvFlag IsXPConfig();
  NvFlag GetIsRadioOff();
  void SetRadioOff(NvFlag off);
  void GetStatusLinkInfo(int32_t* state, int32_t* networkType, char* ssid36, uint8_t* bssid8);
  void GetStatusSignalInfo(int32_t* signal, int32_t* quality);
  void GetStatusChannelInfo(int32_t* plan, int32_t* channel);
  void GetRates(int32_t* autoFlag, int32_t* rate1, int32_t* rate2, int32_t* rate55, int32_t* rate11);
  void GetMacAddressString(char* text20);
  void GetStatusDriverInfo(char* text260, int32_t* unused);
  void SetNetworkType(int32_t type);
  void SetSSID(const char* ssid);
  void SetChannel(int32_t channel);
  void SetPowerSaveMode(int32_t mode);
  void SetRates(NvFlag autoFlag, int32_t rate1, int32_t rate2, int32_t rate55, int32_t rate11);
  void Rescan();
  int32_t SiteSurvey(uint8_t* buffer13000);
  void SetPrivacy(int32_t mode, int32_t keyBits);
  void SetAuthenticaionMode(int32_t mode);
  void SetDefaultKeyID(int32_t key);
  void SetWEPKey(int32_t key, int32_t length, const uint8_t* bytes);

  // Drops the link and looks for the network last named by NV_SetSSID, as NV_Rescan does,
  // without counting or logging a call. Nothing happens while the radio is off.
  void StartAssociation();

  // Networks coming into and going out of range, as the control tool moves them. A link on a
  // network that goes is lost, and the adapter keeps looking for the network last named by
  // NV_SetSSID: it joins once that network is in range again, the association delay later.
  bool AddNetwork(const SiteSurveyEntry& network);
  // Takes every network of that name out of range; answers how many went.
  int32_t RemoveNetwork(std::string_view ssid);

  // The link state as reported: "Not Associated" while the radio is off.
  int32_t ReportedLinkState() const;

  // Signal and quality as reported at this tick.
  void Signal(int32_t* signal, int32_t* quality) const;

 private:
  void Settle();
  const SiteSurveyEntry* FindNetwork(std::string_view ssid) const;
  void Associate(const SiteSurveyEntry& network);
  void DropLink(int32_t newState);
  bool Linked() const;
  std::string_view WantedSsid() const;

  SimState& s_;
  uint32_t now_;
};

}  // namespace tarnel::sim
