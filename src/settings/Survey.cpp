#include "settings/Survey.h"

#include <cstring>

#include "adapter/NvLibrary.h"
#include "adapter/portable/SurveyRecord.h"
#include "profiles/ProfileStore.h"

namespace tarnel::settings {

static_assert(sizeof(SurveyBuffer) == NV_SURVEY_BUFFER, "the survey buffer is the library's 13000 bytes");

namespace {

// The profile's name buffer on a join: larger than any name the store keeps.
constexpr size_t kJoinSsidBuffer = 260;

}  // namespace

int RunSurvey(SurveyBuffer* records) {
  std::memset(records->data(), 0, NV_SURVEY_BUFFER);
  return SurveyRecordCount(Nv().NV_SiteSurvey(reinterpret_cast<uint8_t*>(records->data())));
}

int FindSurveyRow(const SurveyBuffer& records, int count, const std::string& ssid) {
  for (int row = 0; row < count && row < NV_SURVEY_MAX_ENTRIES; ++row)
    if (SurveySsid(records[static_cast<size_t>(row)]) == ssid) return row;
  return -1;
}

void JoinNetwork(const std::string& profile, const SiteSurveyEntry& record) {
  char ssid[kJoinSsidBuffer] = {};
  int32_t netMode = 0, channel = 0, txRate = 0, powerMode = 0;
  LoadProfileSettings(profile.c_str(), ssid, &netMode, &channel, &txRate, &powerMode);
  const std::string joined = SurveySsid(record);
  std::memset(ssid, 0, sizeof(ssid));
  std::memcpy(ssid, joined.data(), joined.size());
  netMode = record.networkType;
  SaveProfileSettings(profile.c_str(), ssid, netMode, channel, txRate, powerMode);

  Nv().NV_SetNetworkType(record.networkType);
  Nv().NV_SetSSID(ssid);
  Nv().NV_Rescan();
}

}  // namespace tarnel::settings
