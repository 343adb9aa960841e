#include "settings/portable/NetworkRates.h"

#include <cstring>

#include "adapter/NvApi.h"

namespace tarnel {

namespace {

constexpr size_t kNameOffset = offsetof(SiteSurveyEntry, ssid);
constexpr size_t kNameSize = sizeof(SiteSurveyEntry::ssid);
constexpr size_t kRatesOffset = offsetof(SiteSurveyEntry, rates);

bool NameMatches(const uint8_t* record, const std::string& name) {
  const char* field = reinterpret_cast<const char*>(record + kNameOffset);
  size_t length = 0;
  while (length < kNameSize && field[length] != '\0') ++length;
  return name.size() == length && std::memcmp(field, name.data(), length) == 0;
}

}  // namespace

int32_t RateFlagOfByte(uint8_t rate) {
  if (rate == 0) return kRateOff;
  return rate <= 128 ? kRateOn : kRateBasic;
}

RateFlags SurveyRatesOf(const uint8_t* records, size_t size, int32_t count, const std::string& name) {
  RateFlags flags = {kRateBasic, kRateBasic, kRateBasic, kRateBasic};
  if (!records || count <= 0) return flags;
  size_t usable = size / NV_SURVEY_ENTRY_SIZE;
  if (usable > NV_SURVEY_MAX_ENTRIES) usable = NV_SURVEY_MAX_ENTRIES;
  if (static_cast<size_t>(count) < usable) usable = static_cast<size_t>(count);
  for (size_t i = 0; i < usable; ++i) {
    const uint8_t* record = records + i * NV_SURVEY_ENTRY_SIZE;
    if (!NameMatches(record, name)) continue;
    for (size_t k = 0; k < flags.size(); ++k) flags[k] = RateFlagOfByte(record[kRatesOffset + k]);
    break;
  }
  return flags;
}

RateSetting ApplyRateChoice(const RateFlags& found, int32_t choice) {
  RateSetting setting = {0, found};
  // How many of the rates (from the slowest) the choice keeps.
  size_t kept = setting.rates.size();
  switch (choice) {
    case kRateAuto:
      setting.autoFlag = 1;
      kept = 0;
      break;
    case kRate1Mbps:
      kept = 1;
      break;
    case kRate2Mbps:
      kept = 2;
      break;
    case kRate55Mbps:
      kept = 3;
      break;
    default:
      break;
  }
  for (size_t k = kept; k < setting.rates.size(); ++k) setting.rates[k] = kRateOff;
  return setting;
}

}  // namespace tarnel
