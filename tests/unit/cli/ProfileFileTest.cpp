// The profile file: what export writes reads back to the same values and the same text, and
// every kind of bad line is refused with its line number, leaving nothing to import.
#include <gtest/gtest.h>

#include "cli/portable/ProfileFile.h"

namespace tarnel::cli {
namespace {

const std::vector<int> kPlan = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

ProfileRecord Record(std::string name, settings::ConfigurationValues c, KeyFormat format, int32_t keyIndex,
                     std::array<std::string, 4> keys, std::string passphrase = "", bool withKeys = true) {
  ProfileRecord r;
  r.name = std::move(name);
  r.configuration = std::move(c);
  r.encryption.format = format;
  r.encryption.keyIndex = keyIndex;
  r.encryption.keys = std::move(keys);
  r.encryption.passphrase = std::move(passphrase);
  r.withKeys = withKeys;
  return r;
}

void ExpectSame(const ProfileRecord& want, const ProfileRecord& got) {
  EXPECT_EQ(want.name, got.name);
  EXPECT_EQ(want.configuration, got.configuration) << want.name;
  EXPECT_EQ(want.encryption.format, got.encryption.format) << want.name;
  EXPECT_EQ(want.encryption.keyIndex, got.encryption.keyIndex) << want.name;
  EXPECT_EQ(want.withKeys, got.withKeys) << want.name;
  if (!want.withKeys) return;
  EXPECT_EQ(want.encryption.keys, got.encryption.keys) << want.name;
  EXPECT_EQ(want.encryption.passphrase, got.encryption.passphrase) << want.name;
}

TEST(ProfileFile, WhatIsWrittenReadsBackToTheSameValuesAndText) {
  const std::vector<ProfileRecord> profiles = {
      Record("Home", {"tarnel-lab", 1, 6, 0, 0}, kKeyFormat64Ascii, 0, {"home1", "00000", "00000", "00000"}),
      Record("we\"ird [name] \xe9", {"tab\there \x01", 0, 11, 4, 2}, kKeyFormat128Hex, 3,
             {"0123456789abcdef0123456789", "", "ABCDEF", "0"}),
      Record("no selection", {"", -1, 0, -1, -1}, kKeyFormatOff, -1, {"left", "", "", ""}),
      Record("pass", {"p", 1, 1, 1, 1, true, -7}, kKeyFormat64Passphrase, 1,
             {"c93ca31eca", "dc1124096f", "af8c5062bf", "dd15219276"}, "secret"),
      Record("keys left out", {"x", 1, 2, 3, 1, true, 2147483647}, kKeyFormat64Tkip, 2, {"", "", "", ""}, "", false),
  };
  const std::string text = FormatProfileFile(profiles, kPlan);
  const ProfileFileReading reading = ReadProfileFile(text, kPlan);
  ASSERT_EQ("", reading.error) << "line " << reading.line << "\n" << text;
  ASSERT_EQ(profiles.size(), reading.profiles.size());
  for (size_t i = 0; i < profiles.size(); ++i) ExpectSame(profiles[i], reading.profiles[i]);
  EXPECT_EQ(text, FormatProfileFile(reading.profiles, kPlan));
  EXPECT_NE(std::string::npos, text.find("[profile \"we\\\"ird [name] \\xE9\"]")) << text;
  EXPECT_NE(std::string::npos, text.find("ssid = \"tab\\x09here \\x01\"")) << text;
  EXPECT_NE(std::string::npos, text.find("rate = none\n")) << text;
  EXPECT_EQ(0u, text.find("nvkctl profiles 2\n")) << text;
  EXPECT_NE(std::string::npos, text.find("power = Disable\nauto = off\npriority = 0\nencryption")) << text;
  EXPECT_NE(std::string::npos, text.find("auto = on\npriority = -7\n")) << text;

  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(profiles.size(), ReadProfileFile("# exported\r\n\r\n" + crlf, kPlan).profiles.size()) << "Windows line ends";
}

TEST(ProfileFile, EveryKindOfBadLineIsRefusedWithItsLineNumber) {
  const std::string head = "nvkctl profiles 1\n[profile \"P\"]\n";
  const std::string body =
      "ssid = \"s\"\nmode = Infrastructure\nchannel = 6\nrate = Auto\npower = Disable\ndefault-key = 1\n";
  const std::string ascii = head + body + "encryption = 64-bit ASCII\n";  // lines 3 to 9
  const std::string v2 = "nvkctl profiles 2\n[profile \"P\"]\n" + body + "encryption = off\n";  // lines 3 to 9
  const std::string keys = "key2 = \"\"\nkey3 = \"\"\nkey4 = \"\"\npassphrase = \"\"\n";  // lines 11 to 14
  const struct {
    std::string text;
    int line;
    const char* error;
  } cases[] = {
      {"", 1, "not a profile file"},
      {"nvkctl profiles 0\n", 1, "not a profile file: the first line must be \"nvkctl profiles 2\""},
      {"# from a later nvkctl\nnvkctl profiles 3\n", 2, "a profile file of version 3, later than this nvkctl reads (1 to 2)"},
      {head + "auto = on\n", 3, "'auto' is a value of version 2 files; this file's first line says version 1"},
      {v2 + "auto = off\n", 2, "profile 'P' lacks 'priority'"},
      {v2 + "auto = yes\npriority = 1\n", 10, "auto 'yes' is neither on nor off"},
      {v2 + "auto = on\npriority = 2147483648\n", 11, "priority '2147483648' is not a whole number"},
      {"nvkctl profiles 1\nssid = \"s\"\n", 2, "a value before the first [profile"},
      {"nvkctl profiles 1\n[profile P]\n", 2, "profile name: a quoted text was expected"},
      {"nvkctl profiles 1\n[section \"P\"]\n", 2, "a section starts with [profile"},
      {"nvkctl profiles 1\n[profile \"a\\\\b\"]\n", 2, "'a\\b' cannot name a profile"},
      {"nvkctl profiles 1\n[profile \"\"]\n", 2, "'' cannot name a profile"},
      {ascii + "[profile \"p\"]\n" + body, 10, "profile 'p' appears twice"},
      {head + "ssid \"s\"\n", 3, "expected NAME = VALUE"},
      {head + "colour = blue\n", 3, "unknown value 'colour'"},
      {head + "rate = Auto\nrate = Auto\n", 4, "'rate' given twice"},
      {head + "rate = Auto\n", 2, "profile 'P' lacks 'ssid'"},
      {ascii + "key1 = \"a\"\n", 2, "key1 to key4 and passphrase come all together"},
      {head + "ssid = s\n" + body.substr(body.find('\n') + 1) + "encryption = off\n", 3, "ssid: a quoted text was expected"},
      {head + "ssid = \"a\"b\"\n" + body.substr(body.find('\n') + 1) + "encryption = off\n", 3, "a quote inside a text"},
      {head + "ssid = \"a\\n\"\n" + body.substr(body.find('\n') + 1) + "encryption = off\n", 3, "unknown escape \\n"},
      {head + "ssid = \"a\\x0\"\n" + body.substr(body.find('\n') + 1) + "encryption = off\n", 3, "unknown escape \\x"},
      {head + "ssid = \"a\\x00\"\n" + body.substr(body.find('\n') + 1) + "encryption = off\n", 3, "a NUL byte"},
      {head + std::string("ssid = \"a\0\"\n", 12) + body.substr(body.find('\n') + 1) + "encryption = off\n", 3, "a NUL byte"},
      {head + "ssid = \"" + std::string(33, 's') + "\"\n" + body.substr(body.find('\n') + 1) + "encryption = off\n", 3,
       "ssid has 33 characters"},
      {head + body + "encryption = 64-bit\n", 9, "encryption '64-bit' is not one of off, 64-bit ASCII"},
      {head + "mode = adhoc\n" + body.substr(0, body.find("mode")) + body.substr(body.find("channel")) + "encryption = off\n",
       3, "mode 'adhoc' is not one of Ad Hoc, Infrastructure, none"},
      {ascii.substr(0, ascii.find("channel = 6")) + "channel = 12" + ascii.substr(ascii.find("channel = 6") + 11), 5,
       "channel '12' is not in the adapter's channel plan (1 to 11)"},
      {ascii.substr(0, ascii.find("default-key = 1")) + "default-key = 5" + ascii.substr(ascii.find("default-key = 1") + 15),
       8, "default-key '5' is not 1, 2, 3, 4 or none"},
      {ascii + "key1 = \"toolong\"\n" + keys, 10, "key1 has 7 characters; 64-bit ASCII keys have at most 5"},
      {head + body + "encryption = 64-bit Hex\nkey1 = \"12\"\nkey2 = \"xy\"\nkey3 = \"\"\nkey4 = \"\"\npassphrase = \"\"\n",
       11, "key2 is not hex digits"},
      {head + body + "encryption = 64-bit Passphrase\nkey1 = \"c93ca31eca\"\nkey2 = \"dc1124096f\"\nkey3 = \"af8c5062bf\"\n"
                     "key4 = \"0000000000\"\npassphrase = \"secret\"\n",
       13, "key4 is not the key the passphrase gives"},
      {ascii + "key1 = \"\"\n" + keys.substr(0, keys.find("passphrase")) + "passphrase = \"" + std::string(260, 'p') + "\"\n",
       14, "passphrase is longer than 259 characters"},
  };
  for (const auto& c : cases) {
    const ProfileFileReading reading = ReadProfileFile(c.text, kPlan);
    EXPECT_EQ(c.line, reading.line) << c.error << "\n" << c.text;
    EXPECT_NE(std::string::npos, reading.error.find(c.error)) << "got: " << reading.error << "\n" << c.text;
    EXPECT_TRUE(reading.profiles.empty()) << "nothing is left to import after a problem";
  }
}

}  // namespace
}  // namespace tarnel::cli
