#include "settings/Configuration.h"

#include <vector>

#include "adapter/NvLibrary.h"
#include "adapter/portable/ChannelPlan.h"
#include "profiles/ProfileStore.h"

namespace tarnel::settings {
namespace {

// A position the list does not have shows no selection.
int32_t Shown(int32_t position, int count) { return position >= 0 && position < count ? position : -1; }

}  // namespace

void LoadConfiguration(const std::string& profile, ConfigurationValues* values) {
  char ssid[kSsidBufferSize] = {0};
  values->ssid.copy(ssid, kMaxNetworkNameLength);
  LoadProfileSettings(profile.c_str(), ssid, &values->netMode, &values->channel, &values->txRate,
                      &values->powerMode);
  values->ssid = ssid;
  LoadProfileAutoConnect(profile.c_str(), &values->autoConnect, &values->priority);
}

void SaveConfiguration(const std::string& profile, const ConfigurationValues& values) {
  char ssid[kSsidBufferSize] = {0};
  values.ssid.copy(ssid, kMaxNetworkNameLength);
  SaveProfileSettings(profile.c_str(), ssid, values.netMode, values.channel, values.txRate, values.powerMode);
  SaveProfileAutoConnect(profile.c_str(), values.autoConnect, values.priority);
}

void ApplyConfiguration(const std::string& profile, const ConfigurationValues& values) {
  SaveConfiguration(profile, values);
  char ssid[kSsidBufferSize] = {0};
  values.ssid.copy(ssid, kMaxNetworkNameLength);

  const NvFunctions& nv = Nv();
  nv.NV_SetNetworkType(values.netMode);
  nv.NV_SetSSID(ssid);
  nv.NV_SetPowerSaveMode(values.powerMode);
  nv.NV_SetChannel(values.channel);
  const RateSetting rates = ApplyRateChoice(FindNetworkRates(ssid), values.txRate);
  nv.NV_SetRates(rates.autoFlag, rates.rates[0], rates.rates[1], rates.rates[2], rates.rates[3]);
  nv.NV_Rescan();
}

RateFlags FindNetworkRates(const std::string& ssid) {
  std::vector<uint8_t> records(NV_SURVEY_BUFFER, 0);
  const int32_t count = Nv().NV_SiteSurvey(records.data());
  return SurveyRatesOf(records.data(), records.size(), count, ssid);
}

ConfigurationValues ConfigurationAsShown(ConfigurationValues stored, int channelCount) {
  if (stored.ssid.size() > static_cast<size_t>(kMaxNetworkNameLength)) stored.ssid.resize(kMaxNetworkNameLength);
  stored.netMode = Shown(stored.netMode, kNetModeCount);
  stored.powerMode = Shown(stored.powerMode, kPowerModeCount);
  stored.channel = Shown(stored.channel - 1, channelCount) + 1;
  stored.txRate = Shown(stored.txRate, kTxRateCount);
  return stored;
}

std::vector<int> ChannelPlanChannels() {
  int32_t plan = -1;
  int32_t channel = -1;
  Nv().NV_GetStatusChannelInfo(&plan, &channel);
  return ChannelPlanEntries(plan);
}

}  // namespace tarnel::settings
