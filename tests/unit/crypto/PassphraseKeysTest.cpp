#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "crypto/HexKey.h"
#include "crypto/PassphraseKeys.h"

namespace tarnel {
namespace {

using KeyTexts = std::array<std::string, 4>;

KeyTexts Texts(bool is64, const std::string& passphrase) {
  return PassphraseKeyTexts(is64, passphrase.data(), passphrase.size());
}

// Bytes 0x20, 0x21, ... : 70 printable characters, longer than the 64-byte digest block.
std::string Printable70() {
  std::string text;
  for (int i = 0; i < 70; ++i) text.push_back(static_cast<char>(0x20 + i));
  return text;
}

TEST(PassphraseKeys, SixtyFourBitVectors) {
  // Computed by hand with a Python loop: seed bytes XORed per position, then twenty steps of
  // x = (x * 214013 + 2531011) % 2**32 taking (x >> 16) & 0xff.
  struct Case { std::string passphrase; KeyTexts keys; };
  const Case cases[] = {
      {"a", {"63cace42d9", "f201f42a09", "d275059af9", "b4721c60fd"}},
      {"secret", {"c93ca31eca", "dc1124096f", "af8c5062bf", "dd15219276"}},
      {"Wireless LAN 2003", {"374ef3b317", "ef8bbdcaab", "20e6d1476f", "cce8e91b54"}},
      {Printable70(), {"1d2b70c507", "6de7e947f0", "d8e61d42aa", "584c695a1b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.keys, Texts(true, c.passphrase)) << "passphrase " << c.passphrase;
}

TEST(PassphraseKeys, OneHundredTwentyEightBitVectors) {
  // Computed with Python's hashlib.md5 over the 64-byte block of the passphrase repeated (or cut),
  // first 13 digest bytes.
  struct Case { std::string passphrase; const char* key; };
  const Case cases[] = {
      {"a", "014842d480b571495a4a036379"},
      {"secret", "1c064922046d6517dfef3b7ef3"},
      {"Wireless LAN 2003", "5563c315284c88bd48a6ab036d"},
      {"0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef", "fe3a1ff59f3b89b2ad3d33f089"},
      {Printable70(), "c654a1965b312ddee3bd884e04"},
  };
  for (const Case& c : cases) {
    const KeyTexts keys = Texts(false, c.passphrase);
    for (const std::string& key : keys) EXPECT_EQ(c.key, key) << "passphrase " << c.passphrase;
  }
}

TEST(PassphraseKeys, RawOutputSizes) {
  // 20 bytes for 64-bit, the whole 16-byte digest for 128-bit; nothing past them.
  for (bool is64 : {true, false}) {
    unsigned char out[kKeyAreaSize];
    std::memset(out, 0, sizeof(out));
    GeneratePassphraseKeys(is64, "secret", 6, out);
    const std::size_t written = is64 ? kPassphrase64KeyBytes : kPassphrase128KeyBytes;
    for (std::size_t i = written; i < kKeyAreaSize; ++i) ASSERT_EQ(0, out[i]) << "byte " << i;
    if (!is64) {
      EXPECT_EQ("1c064922046d6517dfef3b7ef3b53cd0", FormatKeyHex(out, written));
    }
  }
}

TEST(PassphraseKeys, EmptyPassphraseWritesNothing) {
  for (bool is64 : {true, false}) {
    unsigned char out[kKeyAreaSize];
    std::memset(out, 0xa5, sizeof(out));
    GeneratePassphraseKeys(is64, "", 0, out);
    for (unsigned char b : out) ASSERT_EQ(0xa5, b);
    EXPECT_EQ(KeyTexts{}, Texts(is64, ""));
  }
}

TEST(PassphraseKeys, SixtyFourBitDependsOnlyOnTheSeed) {
  // Each seed byte XORed twice with the same value is unchanged.
  const std::string base = "secret!";
  EXPECT_EQ(Texts(true, base), Texts(true, base + "wxyzwxyz"));
  // Bytes four apart fold into the same seed byte, so swapping two groups of four keeps the keys.
  EXPECT_EQ(Texts(true, "abcd" "efgh"), Texts(true, "efgh" "abcd"));
  EXPECT_NE(Texts(true, "abcd"), Texts(true, "abzd"));
}

TEST(PassphraseKeys, OneHundredTwentyEightBitUsesTheFirst64Bytes) {
  const std::string exact(64, 'k');
  EXPECT_EQ(Texts(false, exact), Texts(false, exact + "x"));
  EXPECT_EQ(Texts(false, exact), Texts(false, exact + std::string(1000, 'z')));
  EXPECT_EQ(Texts(false, exact), Texts(false, "k"));  // one character repeats 64 times
  EXPECT_NE(Texts(false, exact), Texts(false, std::string(63, 'k') + "x"));
}

TEST(PassphraseKeys, ZeroByteInsideIsDigestedLikeAnyOther) {
  // The block is digested by length, not up to a terminator.
  const std::string with_zero("ab\0cd", 5);
  EXPECT_NE(Texts(false, "ab"), Texts(false, with_zero));
}

TEST(PassphraseKeys, TextsAreLowerCaseHexOfTheFormatLength) {
  for (bool is64 : {true, false}) {
    const std::string passphrases[] = {"a", "Secret Words", Printable70(), std::string(1000, '\xff')};
    for (const std::string& passphrase : passphrases) {
      for (const std::string& key : Texts(is64, passphrase)) {
        EXPECT_EQ(is64 ? 10u : 26u, key.size());
        EXPECT_EQ(std::string::npos, key.find_first_not_of("0123456789abcdef")) << key;
      }
    }
  }
}

}  // namespace
}  // namespace tarnel
