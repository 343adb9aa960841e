#include "settings/portable/NetworkRates.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "adapter/NvApi.h"

namespace tarnel {
namespace {

SiteSurveyEntry Record(const std::string& name, std::initializer_list<uint8_t> rates) {
  SiteSurveyEntry e{};
  std::memcpy(e.ssid, name.data(), std::min(name.size(), sizeof(e.ssid)));
  size_t k = 0;
  for (uint8_t r : rates) e.rates[k++] = r;
  return e;
}

// A survey buffer of the driver's size holding these records from the start.
std::vector<uint8_t> Survey(const std::vector<SiteSurveyEntry>& records) {
  std::vector<uint8_t> buffer(NV_SURVEY_BUFFER, 0);
  std::memcpy(buffer.data(), records.data(), records.size() * sizeof(SiteSurveyEntry));
  return buffer;
}

RateFlags Find(const std::vector<uint8_t>& buffer, int32_t count, const std::string& name) {
  return SurveyRatesOf(buffer.data(), buffer.size(), count, name);
}

const RateFlags kAllBasic = {2, 2, 2, 2};

TEST(RateFlagOfByte, BasicRateBitMakesTheRateBasic) {
  EXPECT_EQ(0, RateFlagOfByte(0));
  EXPECT_EQ(1, RateFlagOfByte(1));
  EXPECT_EQ(1, RateFlagOfByte(0x16));
  EXPECT_EQ(1, RateFlagOfByte(128));  // 0x80 alone counts as on, not basic
  EXPECT_EQ(2, RateFlagOfByte(129));
  EXPECT_EQ(2, RateFlagOfByte(0x82));
  EXPECT_EQ(2, RateFlagOfByte(255));
}

TEST(SurveyRatesOf, FirstExactMatchGivesItsFourRates) {
  const auto buffer = Survey({Record("lab", {0x02, 0x04, 0, 0}), Record("office", {0x82, 0x84, 0x0B, 0x16}),
                              Record("office", {0, 0, 0, 0})});
  EXPECT_EQ((RateFlags{2, 2, 1, 1}), Find(buffer, 3, "office"));
  EXPECT_EQ((RateFlags{1, 1, 0, 0}), Find(buffer, 3, "lab"));
}

TEST(SurveyRatesOf, NameMustMatchExactlyIncludingCaseAndLength) {
  const auto buffer = Survey({Record("Office", {0x02, 0x04, 0x0B, 0x16})});
  EXPECT_EQ(kAllBasic, Find(buffer, 1, "office"));
  EXPECT_EQ(kAllBasic, Find(buffer, 1, "Offic"));
  EXPECT_EQ(kAllBasic, Find(buffer, 1, "Office2"));
  EXPECT_EQ((RateFlags{1, 1, 1, 1}), Find(buffer, 1, "Office"));
}

TEST(SurveyRatesOf, OnlyTheCountedRecordsAreSearched) {
  const auto buffer = Survey({Record("a", {1, 1, 1, 1}), Record("b", {1, 1, 1, 1})});
  EXPECT_EQ(kAllBasic, Find(buffer, 1, "b"));
  EXPECT_EQ(kAllBasic, Find(buffer, 0, "a"));
  EXPECT_EQ(kAllBasic, Find(buffer, -5, "a"));
}

TEST(SurveyRatesOf, EmptyNameMatchesAnUnnamedRecord) {
  // A hidden network reports no name; an empty network name then finds its rates.
  const auto buffer = Survey({Record("", {0x82, 0, 0, 0})});
  EXPECT_EQ((RateFlags{2, 0, 0, 0}), Find(buffer, 1, ""));
}

TEST(SurveyRatesOf, ThirtyTwoCharacterNameWithoutTerminatorIsFound) {
  const std::string name(32, 'N');
  SiteSurveyEntry full = Record(name, {0x82, 0x84, 0x0B, 0x16});
  full.bssid[0] = 'X';  // the byte right after the name is not a terminator
  const auto buffer = Survey({full});
  EXPECT_EQ((RateFlags{2, 2, 1, 1}), Find(buffer, 1, name));
  EXPECT_EQ(kAllBasic, Find(buffer, 1, name + "X")) << "the field ends after 32 bytes";
}

TEST(SurveyRatesOf, NeverReadsPastTheBufferOrTheLastRecord) {
  // Exactly the bytes given, on the heap, so the sanitizers see any read beyond them.
  SiteSurveyEntry last = Record(std::string(32, 'z'), {0x82, 0x84, 0x8B, 0x96});
  std::unique_ptr<uint8_t[]> two(new uint8_t[2 * sizeof(SiteSurveyEntry)]);
  std::memset(two.get(), 0xFF, 2 * sizeof(SiteSurveyEntry));
  std::memcpy(two.get() + sizeof(SiteSurveyEntry), &last, sizeof(last));
  EXPECT_EQ(kAllBasic, SurveyRatesOf(two.get(), 2 * sizeof(SiteSurveyEntry), 1000, "absent"));
  EXPECT_EQ(kAllBasic, SurveyRatesOf(two.get(), 2 * sizeof(SiteSurveyEntry), INT32_MAX, "absent"));

  // A full buffer whose count claims more than 260 records: record 259 is the last looked at.
  std::vector<SiteSurveyEntry> records(NV_SURVEY_MAX_ENTRIES, Record(std::string(32, 'f'), {}));
  records.back() = Record("end", {0x02, 0, 0, 0x16});
  std::unique_ptr<uint8_t[]> full(new uint8_t[NV_SURVEY_BUFFER]);
  std::memcpy(full.get(), records.data(), NV_SURVEY_BUFFER);
  EXPECT_EQ((RateFlags{1, 0, 0, 1}), SurveyRatesOf(full.get(), NV_SURVEY_BUFFER, 100000, "end"));
  EXPECT_EQ(kAllBasic, SurveyRatesOf(full.get(), NV_SURVEY_BUFFER, 100000, "absent"));

  // A buffer that ends inside a record: the partial record is not read.
  EXPECT_EQ(kAllBasic, SurveyRatesOf(full.get(), sizeof(SiteSurveyEntry) - 1, 1, std::string(32, 'f')));
  EXPECT_EQ(kAllBasic, SurveyRatesOf(nullptr, 0, 3, "end"));
}

TEST(ApplyRateChoice, ChoiceSwitchesOffTheFasterRatesAndOnlyAutoSetsTheAutoFlag) {
  const RateFlags found = {2, 2, 1, 1};
  const struct {
    int32_t choice;
    uint8_t autoFlag;
    RateFlags rates;
  } cases[] = {
      {0, 1, {0, 0, 0, 0}},  // Auto: whatever the survey found
      {1, 0, {2, 0, 0, 0}},  {2, 0, {2, 2, 0, 0}}, {3, 0, {2, 2, 1, 0}},
      {4, 0, {2, 2, 1, 1}},  {-1, 0, {2, 2, 1, 1}},  // no selection changes nothing
      {5, 0, {2, 2, 1, 1}},  {7, 0, {2, 2, 1, 1}},
  };
  for (const auto& c : cases) {
    const RateSetting setting = ApplyRateChoice(found, c.choice);
    EXPECT_EQ(c.autoFlag, setting.autoFlag) << "choice " << c.choice;
    EXPECT_EQ(c.rates, setting.rates) << "choice " << c.choice;
  }
}

}  // namespace
}  // namespace tarnel
