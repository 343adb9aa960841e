#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "crypto/HexKey.h"
#include "crypto/KeyFormat.h"

namespace tarnel {
namespace {

TEST(KeyFormat, TableOfCodes) {
  struct Row { KeyFormat code; const char* text; int chars; int bytes; bool hex; int mode; int size; };
  const Row rows[] = {
      {0, "64-bit ASCII", 5, 5, false, 1, 64},
      {1, "64-bit Hex", 10, 5, true, 1, 64},
      {2, "128-bit ASCII", 13, 13, false, 1, 128},
      {3, "128-bit Hex", 26, 13, true, 1, 128},
      {4, "64-bit Passphrase", 0, 5, true, 1, 64},
      {5, "128-bit Passphrase", 0, 13, true, 1, 128},
      {6, "64-bit TKIP", 10, 5, true, 2, 64},
      {7, "128-bit TKIP", 26, 13, true, 2, 128},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    EXPECT_STREQ(r.text, KeyFormatListText(r.code));
    EXPECT_EQ(r.chars, KeyTextLength(r.code));
    EXPECT_EQ(r.bytes, KeyByteLength(r.code));
    EXPECT_EQ(r.hex, IsHexKeyFormat(r.code));
    EXPECT_EQ(r.code == 4 || r.code == 5, IsPassphraseFormat(r.code));
    PrivacySetting privacy{};
    ASSERT_TRUE(PrivacyForFormat(r.code, &privacy));
    EXPECT_EQ(r.mode, privacy.mode);
    EXPECT_EQ(r.size, privacy.key_size);
  }
}

TEST(KeyFormat, OffAndUnknownCodes) {
  PrivacySetting privacy{};
  ASSERT_TRUE(PrivacyForFormat(kKeyFormatOff, &privacy));
  EXPECT_EQ(0, privacy.mode);
  EXPECT_EQ(64, privacy.key_size);
  for (KeyFormat code : {kKeyFormatOff, -2, 8, 1000}) {
    SCOPED_TRACE(code);
    EXPECT_STREQ("", KeyFormatListText(code));
    EXPECT_EQ(0, KeyTextLength(code));
    EXPECT_EQ(0, KeyByteLength(code));
    EXPECT_FALSE(IsHexKeyFormat(code));
    EXPECT_FALSE(IsPassphraseFormat(code));
    if (code != kKeyFormatOff) {
      EXPECT_FALSE(PrivacyForFormat(code, &privacy));
    }
  }
}

std::string FillArea(const std::string& text, KeyFormat format) {
  char area[kKeyAreaSize];
  std::memset(area, 'X', sizeof(area));  // stale bytes behind the terminator must not show
  std::memcpy(area, text.c_str(), text.size() + 1);
  FillUpKeyText(area, format);
  return area;
}

std::string FillString(std::string text, KeyFormat format) {
  FillUpKeyText(&text, format);
  return text;
}

TEST(KeyFormat, FillUpWithZeroCharacters) {
  struct Case { const char* text; KeyFormat format; const char* filled; };
  const Case cases[] = {
      {"ab", kKeyFormat64Ascii, "ab000"},
      {"", kKeyFormat128Ascii, "0000000000000"},
      {"abc", kKeyFormat64Hex, "abc0000000"},
      {"1", kKeyFormat128Tkip, "10000000000000000000000000"},
      {"abcde", kKeyFormat64Ascii, "abcde"},            // exact length
      {"abcdefgh", kKeyFormat64Ascii, "abcdefgh"},      // longer: left as it is
      {"ab", kKeyFormat64Passphrase, "ab"},             // no fill-up
      {"ab", kKeyFormatOff, "ab"},
      {"ab", 42, "ab"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.filled, FillArea(c.text, c.format)) << '"' << c.text << "\" format " << c.format;
    EXPECT_EQ(c.filled, FillString(c.text, c.format)) << '"' << c.text << "\" format " << c.format;
  }
}

TEST(KeyFormat, FillUpOfFullOrUnterminatedArea) {
  const std::string long_text(259, 'k');
  EXPECT_EQ(long_text, FillArea(long_text, kKeyFormat128Hex));

  char area[kKeyAreaSize];
  std::memset(area, 'k', sizeof(area));  // no terminator anywhere: counts as full, nothing written
  FillUpKeyText(area, kKeyFormat128Hex);
  for (char c : area) ASSERT_EQ('k', c);
}

std::string Decode(const char* text, std::size_t bytes) {
  return FormatKeyHex(HexTextToBytes(text), bytes);
}

TEST(HexKey, DecodesPairsHighHalfFirst) {
  EXPECT_EQ("0123456789abcdef00", Decode("0123456789abcdef", 9));
  EXPECT_EQ("abcdef00", Decode("ABCDEF", 4));
  EXPECT_EQ(Decode("aBcDeF", 3), Decode("AbCdEf", 3));
  // Filled-up "abc" of "64-bit Hex": the odd digit is a high half, then three zero bytes.
  EXPECT_EQ("abc0000000", Decode("abc0000000", 5));
  // Odd length without fill-up: the last digit pairs with the end of the text.
  EXPECT_EQ("12300000", Decode("123", 4));
  // Non-hex characters count as 0 in either half.
  EXPECT_EQ("00a0b000", Decode("g:a?b", 4));
  EXPECT_EQ("00", Decode("", 1));
}

TEST(HexKey, ResultAreaIsZeroedAtEveryCall) {
  HexTextToBytes("ffffffffffffffffffffffffff");
  const unsigned char* bytes = HexTextToBytes("12");
  EXPECT_EQ(0x12, bytes[0]);
  for (std::size_t i = 1; i < kKeyAreaSize; ++i) ASSERT_EQ(0, bytes[i]) << "byte " << i;
}

TEST(HexKey, OddTextIsNotReadPastItsLength) {
  // "5" followed by a character that is not part of the text.
  const char text[] = {'5', 'f'};
  EXPECT_EQ(0x50, HexTextToBytes(text, 1)[0]);
}

TEST(HexKey, LongTextsStayInsideTheArea) {
  const std::string longest(259, 'e');
  const unsigned char* bytes = HexTextToBytes(longest.c_str());
  EXPECT_EQ(0xee, bytes[128]);
  EXPECT_EQ(0xe0, bytes[129]);
  EXPECT_EQ(0, bytes[130]);

  const std::string too_long(2 * kKeyAreaSize + 100, 'd');
  bytes = HexTextToBytes(too_long.c_str());
  EXPECT_EQ(0xdd, bytes[kKeyAreaSize - 1]);
}

TEST(HexKey, DigitValuesAndHexText) {
  EXPECT_EQ(0, HexDigitValue('0'));
  EXPECT_EQ(9, HexDigitValue('9'));
  EXPECT_EQ(10, HexDigitValue('a'));
  EXPECT_EQ(15, HexDigitValue('F'));
  for (char c : {'g', 'G', '/', ':', '@', '`', ' ', '\0', '\xff'}) EXPECT_EQ(0, HexDigitValue(c)) << int(c);

  EXPECT_TRUE(IsHexText(""));
  EXPECT_TRUE(IsHexText("0123456789abcdefABCDEF"));
  for (const char* text : {"g", "12 34", "0x12", "a`", "\xc4"}) EXPECT_FALSE(IsHexText(text)) << text;
}

TEST(HexKey, FormatsLowerCaseTwoDigitsPerByte) {
  const unsigned char bytes[] = {0x00, 0x0f, 0xa0, 0xff, 0x5c};
  EXPECT_EQ("000fa0ff5c", FormatKeyHex(bytes, 5));
  EXPECT_EQ("", FormatKeyHex(bytes, 0));
}

}  // namespace
}  // namespace tarnel
