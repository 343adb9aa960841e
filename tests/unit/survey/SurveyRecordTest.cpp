// Decoding of the library's survey records into the texts of the list's columns.
#include "adapter/portable/SurveyRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>

namespace tarnel {
namespace {

SiteSurveyEntry Record(std::initializer_list<uint8_t> rates) {
  SiteSurveyEntry record;
  std::memset(&record, 0, sizeof(record));
  size_t i = 0;
  for (uint8_t rate : rates) record.rates[i++] = rate;
  return record;
}

TEST(SupportedRates, EncodingOfRatesAndBasicFlag) {
  struct Case {
    std::initializer_list<uint8_t> bytes;
    const char* text;
  };
  const Case cases[] = {
      {{0x82, 0x84, 0x0B, 0x16, 0}, "1.0 M(Basic),2.0 M(Basic),5.5 M,11.0 M,"},
      {{0x02, 0x04}, "1.0 M,2.0 M,"},
      {{0x80}, "64.0 M,"},  // bit 7 alone is a rate of 64, not a basic rate of 0
      {{0x81}, "0.5 M(Basic),"},
      {{0xFF}, "63.5 M(Basic),"},
      {{0x01}, "0.5 M,"},
      {{}, ""},
      {{0x02, 0, 0x04, 0x0B}, "1.0 M,"},  // the first 0 ends the list
      {{0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C},
       "6.0 M,9.0 M,12.0 M,18.0 M,24.0 M,36.0 M,48.0 M,54.0 M,"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, FormatSupportedRates(Record(c.bytes).rates));
}

// The record is placed at the very end of an allocation so that ASan sees any read past it.
TEST(SurveySsid, ThirtyTwoBytesWithoutTerminatorAreShownWhole) {
  auto storage = std::make_unique<uint8_t[]>(sizeof(SiteSurveyEntry));
  auto* record = reinterpret_cast<SiteSurveyEntry*>(storage.get());
  std::memset(record, 0xA5, sizeof(*record));
  std::memset(record->ssid, 'N', sizeof(record->ssid));
  EXPECT_EQ(std::string(32, 'N'), SurveySsid(*record));

  std::memcpy(record->ssid, "home\0junk", 9);
  EXPECT_EQ("home", SurveySsid(*record));
  record->ssid[0] = 0;
  EXPECT_EQ("", SurveySsid(*record));
}

TEST(DecodeSurveyRecord, NetworkTypeAndWep) {
  struct Case {
    uint8_t type, wep;
    int icon;
    const char* typeText;
    const char* wepText;
  };
  const Case cases[] = {
      {0, 0, kAdHocIcon, "Ad Hoc", "Disable"},
      {1, 1, kInfrastructureIcon, "Infrastructure", "Enable"},
      {2, 0xFF, kInfrastructureIcon, "Infrastructure", "Enable"},
  };
  for (const Case& c : cases) {
    SiteSurveyEntry record = Record({});
    record.networkType = c.type;
    record.wep = c.wep;
    const SurveyRow row = DecodeSurveyRecord(record);
    EXPECT_EQ(c.icon, row.icon) << "type " << int(c.type);
    EXPECT_EQ(c.typeText, row.texts[kSurveyTypeColumn]);
    EXPECT_EQ(c.wepText, row.texts[kSurveyWepColumn]);
  }
}

TEST(SurveyRecordCount, StaysWithinTheBuffer) {
  const std::pair<int32_t, int> cases[] = {{0, 0}, {1, 1}, {260, 260}, {261, 260},
                                           {INT32_MAX, 260}, {-1, 0}, {INT32_MIN, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.second, SurveyRecordCount(c.first)) << c.first;
}

}  // namespace
}  // namespace tarnel
