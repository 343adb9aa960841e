#include "adapter/portable/SurveyRecord.h"

#include <cstdio>
#include <cstring>

#include "adapter/portable/MacAddress.h"

namespace tarnel {

const std::array<SurveyColumnLayout, kSurveyColumnCount> kSurveyColumns = {{
    {"Wireless Type", 100},
    {"SSID", 150},
    {"BSSID", 150},
    {"Channel", 50},
    {"Signal", 50},
    {"WEP", 50},
    {"Supported Rates", 250},
}};

namespace {

std::string Decimal(unsigned value, const char* format) {
  char text[16];
  std::snprintf(text, sizeof(text), format, value);
  return text;
}

// 128 itself is a 64 Mbit/s rate, not a basic 0 Mbit/s one: the basic bit counts from 129.
std::string RateEntry(uint8_t rate) {
  char text[32];
  if (rate <= 128)
    std::snprintf(text, sizeof(text), "%3.1f M,", rate * 0.5);
  else
    std::snprintf(text, sizeof(text), "%3.1f M(Basic),", (rate - 128) * 0.5);
  return text;
}

}  // namespace

std::string SurveySsid(const SiteSurveyEntry& record) {
  const size_t size = sizeof(record.ssid);
  const void* end = std::memchr(record.ssid, '\0', size);
  const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - record.ssid) : size;
  return std::string(record.ssid, length);
}

std::string FormatSupportedRates(const uint8_t (&rates)[8]) {
  std::string text;
  for (uint8_t rate : rates) {
    if (rate == 0) break;
    text += RateEntry(rate);
  }
  return text;
}

SurveyRow DecodeSurveyRecord(const SiteSurveyEntry& record) {
  SurveyRow row;
  const bool adHoc = record.networkType == 0;
  row.icon = adHoc ? kAdHocIcon : kInfrastructureIcon;
  row.texts[kSurveyTypeColumn] = adHoc ? "Ad Hoc" : "Infrastructure";
  row.texts[kSurveySsidColumn] = SurveySsid(record);
  row.texts[kSurveyBssidColumn] = FormatMacAddress(record.bssid);
  row.texts[kSurveyChannelColumn] = Decimal(record.channel, "%u");
  row.texts[kSurveySignalColumn] = Decimal(record.signal, "%u%%");
  row.texts[kSurveyWepColumn] = record.wep ? "Enable" : "Disable";
  row.texts[kSurveyRatesColumn] = FormatSupportedRates(record.rates);
  return row;
}

int SurveyRecordCount(int32_t reported) {
  if (reported < 0) return 0;
  return reported > NV_SURVEY_MAX_ENTRIES ? NV_SURVEY_MAX_ENTRIES : static_cast<int>(reported);
}

}  // namespace tarnel
