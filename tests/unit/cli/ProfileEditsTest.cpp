// "profile set" over stored values: list texts in any case, channels of the plan, keys as the
// Encryption page takes them, and a new format clearing what the old one had.
#include <gtest/gtest.h>

#include <cstdint>

#include "cli/portable/CommandLine.h"
#include "cli/portable/ProfileEdits.h"

namespace tarnel::cli {
namespace {

using Options = std::vector<std::string>;
const std::vector<int> kPlan10To13 = {10, 11, 12, 13};

settings::EncryptionValues StoredAsciiKeys() {
  settings::EncryptionValues stored;
  stored.format = kKeyFormat64Ascii;
  stored.keyIndex = 0;
  stored.keys = {"home1", "home2", "home3", "home4"};
  return stored;
}

// The options as "profile set" parses them, applied over a profile with 64-bit ASCII keys.
std::string Apply(const Options& options, settings::ConfigurationValues* configuration,
                  settings::EncryptionValues* encryption, const std::vector<int>& plan = kPlan10To13) {
  Options args = {"profile", "set", "P"};
  args.insert(args.end(), options.begin(), options.end());
  const ParsedCommandLine parsed = ParseCommandLine(args);
  if (!parsed.error.empty()) return "usage: " + parsed.error;
  *encryption = StoredAsciiKeys();
  return ApplyEdits(parsed.line.edits, plan, configuration, encryption);
}

TEST(ProfileEdits, ConfigurationTakesListTextsInAnyCaseAndPlanChannels) {
  settings::ConfigurationValues values;
  settings::EncryptionValues encryption;
  ASSERT_EQ("", Apply({"--ssid", "lab", "--mode", "ad hoc", "--channel", "12", "--rate", "5.5 MBPS", "--power", "normal",
                       "--auto", "ON", "--priority", "-2147483648"},
                      &values, &encryption));
  EXPECT_EQ((settings::ConfigurationValues{"lab", 0, 3, 3, 2, true, INT32_MIN}), values) << "channel 12 is the plan's third";
  ASSERT_EQ("", Apply({"--auto=off", "--priority=2147483647"}, &values, &encryption));
  EXPECT_EQ((settings::ConfigurationValues{"lab", 0, 3, 3, 2, false, INT32_MAX}), values) << "the rest kept";
  EXPECT_EQ(StoredAsciiKeys().keys, encryption.keys) << "no encryption option: encryption untouched";
}

TEST(ProfileEdits, EncryptionFollowsThePage) {
  const struct {
    const char* what;
    Options options;
    KeyFormat format;
    std::array<std::string, 4> keys;
    int32_t keyIndex;
  } cases[] = {
      {"a typed key is filled up, the others kept", {"--key1", "ab"}, kKeyFormat64Ascii,
       {"ab000", "home2", "home3", "home4"}, 0},
      {"a new format starts from empty keys", {"--encryption", "64-bit hex", "--key2", "0a1B2c"}, kKeyFormat64Hex,
       {"0000000000", "0a1B2c0000", "0000000000", "0000000000"}, 0},
      {"a passphrase makes the keys", {"--encryption", "64-bit Passphrase", "--passphrase", "secret"},
       kKeyFormat64Passphrase, {"c93ca31eca", "dc1124096f", "af8c5062bf", "dd15219276"}, 0},
      {"off clears everything", {"--encryption", "OFF", "--default-key", "4"}, kKeyFormatOff, {"", "", "", ""}, 3},
  };
  for (const auto& c : cases) {
    settings::ConfigurationValues configuration;
    settings::EncryptionValues values;
    ASSERT_EQ("", Apply(c.options, &configuration, &values)) << c.what;
    EXPECT_EQ(c.format, values.format) << c.what;
    EXPECT_EQ(c.keys, values.keys) << c.what;
    EXPECT_EQ(c.keyIndex, values.keyIndex) << c.what;
  }
}

TEST(ProfileEdits, ValuesThePagesWouldNotTakeAreRefusedWithTheirOption) {
  const struct {
    Options options;
    const char* problem;
  } cases[] = {
      {{"--ssid", std::string(33, 's')}, "--ssid has 33 characters"},
      {{"--mode", "Adhoc"}, "--mode 'Adhoc' is not one of Ad Hoc, Infrastructure"},
      {{"--channel", "1"}, "--channel '1' is not in the adapter's channel plan (10 to 13)"},
      {{"--channel", "+11"}, "--channel '+11'"},
      {{"--rate", "54 Mbps"}, "--rate '54 Mbps'"},
      {{"--power", "Off"}, "--power 'Off'"},
      {{"--auto", "yes"}, "--auto 'yes' is neither on nor off"},
      {{"--priority", "2147483648"}, "--priority '2147483648' is not a whole number from -2147483648"},
      {{"--priority", "+1"}, "--priority '+1'"},
      {{"--encryption", "WPA"}, "--encryption 'WPA' is not one of off, 64-bit ASCII"},
      {{"--key1", "toolong"}, "--key1 has 7 characters; 64-bit ASCII keys have at most 5"},
      {{"--encryption", "128-bit Hex", "--key3", "xyz"}, "--key3 is not hex digits"},
      {{"--encryption", "64-bit Passphrase", "--key1", "ab"}, "--key1 the keys of a passphrase format come from"},
      {{"--encryption", "off", "--key2", "a"}, "--key2 encryption is off"},
      {{"--passphrase", "p"}, "--passphrase needs a passphrase format"},
      {{"--default-key", "0"}, "--default-key '0' is not 1, 2, 3 or 4"},
  };
  for (const auto& c : cases) {
    settings::ConfigurationValues configuration;
    settings::EncryptionValues encryption;
    const std::string problem = Apply(c.options, &configuration, &encryption);
    EXPECT_EQ(0u, problem.find(c.problem)) << "got: " << problem;
  }
  settings::ConfigurationValues configuration;
  settings::EncryptionValues encryption;
  EXPECT_EQ(0u, Apply({"--channel", "1"}, &configuration, &encryption, {}).find("--channel '1' is not in the adapter's "
                                                                                "channel plan (none"))
      << "an adapter without a known plan takes no channel";
}

}  // namespace
}  // namespace tarnel::cli
