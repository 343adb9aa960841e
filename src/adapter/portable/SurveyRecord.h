// One network in range as the survey list shows it: the texts of its seven columns and its
// icon, decoded from the library's record. Platform-free so the decoding is tested natively.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "adapter/NvApi.h"

namespace tarnel {

enum SurveyColumn : int {
  kSurveyTypeColumn,
  kSurveySsidColumn,
  kSurveyBssidColumn,
  kSurveyChannelColumn,
  kSurveySignalColumn,
  kSurveyWepColumn,
  kSurveyRatesColumn,
  kSurveyColumnCount
};

// Indices in the page's image list.
enum SurveyIcon : int { kInfrastructureIcon = 0, kAdHocIcon = 1 };

struct SurveyColumnLayout {
  const char* heading;
  int width;  // pixels
};
extern const std::array<SurveyColumnLayout, kSurveyColumnCount> kSurveyColumns;

struct SurveyRow {
  int icon = kInfrastructureIcon;
  std::array<std::string, kSurveyColumnCount> texts;
};

SurveyRow DecodeSurveyRecord(const SiteSurveyEntry& record);

// The name up to its first NUL, never more than the field's 32 bytes.
std::string SurveySsid(const SiteSurveyEntry& record);

// The rates in 802.11 Supported Rates bytes, each entry ending in a comma:
// 0x82 0x84 0x0B 0x16 give "1.0 M(Basic),2.0 M(Basic),5.5 M,11.0 M,". A 0 byte ends the list.
std::string FormatSupportedRates(const uint8_t (&rates)[8]);

// How many records a survey's answer stands for: what the library reported, within the
// buffer's 260 records and never negative.
int SurveyRecordCount(int32_t reported);

}  // namespace tarnel
