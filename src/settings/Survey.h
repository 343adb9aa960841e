// The networks in range and joining one of them. The SiteSurvey page and the command line both
// go through here.
#pragma once

#include <array>
#include <string>

#include "adapter/NvApi.h"

namespace tarnel::settings {

// The library writes up to 260 records back to back; a join reads them by row.
using SurveyBuffer = std::array<SiteSurveyEntry, NV_SURVEY_MAX_ENTRIES>;

// Zeroes the buffer, lets the library fill it and answers how many records it holds.
int RunSurvey(SurveyBuffer* records);

// The row of the first of count records whose network name is ssid exactly; -1 when none is.
int FindSurveyRow(const SurveyBuffer& records, int count, const std::string& ssid);

// Stores the record's network name and type in profile (its other settings as stored), then
// sets type and name in the driver and rescans. No channel, rate, power or key is sent.
void JoinNetwork(const std::string& profile, const SiteSurveyEntry& record);

}  // namespace tarnel::settings
