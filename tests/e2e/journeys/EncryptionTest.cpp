// Setting WEP on the Encryption page in each kind of key format: what is stored, what the page
// shows after Apply, and the key bytes the adapter receives.
#include <cstdint>
#include <cstdio>

#include "Journey.h"

namespace tarnel::test {
namespace {

const int kKeyEdits[4] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};
const int kKeyRadios[4] = {IDC_KEY1_RADIO, IDC_KEY2_RADIO, IDC_KEY3_RADIO, IDC_KEY4_RADIO};
const char* const kKeyValues[4] = {"KEY1", "KEY2", "KEY3", "KEY4"};

std::string HexOfText(const std::string& text) {
  std::string hex;
  char digits[3];
  for (unsigned char c : text) {
    std::snprintf(digits, sizeof(digits), "%02x", c);
    hex += digits;
  }
  return hex;
}

// Hex key text as the adapter's log shows its bytes: lower-case.
std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The 64-bit passphrase keys, worked out here on their own: the passphrase folded into a
// four-byte seed, then twenty bytes of a linear congruential sequence.
std::string Passphrase64Keys(const std::string& passphrase) {
  uint8_t seed[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < passphrase.size(); ++i) seed[i % 4] ^= static_cast<uint8_t>(passphrase[i]);
  uint32_t x = seed[0] | seed[1] << 8 | seed[2] << 16 | static_cast<uint32_t>(seed[3]) << 24;
  std::string hex;
  char digits[3];
  for (int i = 0; i < 20; ++i) {
    x = x * 214013u + 2531011u;
    std::snprintf(digits, sizeof(digits), "%02x", (x >> 16) & 0xFF);
    hex += digits;
  }
  return hex;
}

struct KeyCase {
  const char* name;
  int format;
  const char* typed[4];      // key texts typed (null: the passphrase case)
  const char* passphrase;    // for the passphrase formats
  int defaultKey;
  const char* stored[4];     // as stored and shown after Apply (null: generated, checked apart)
  const char* privacy;
  int keyLength;
  bool hex;                  // key bytes are the decoded text, not its characters
};

const KeyCase kCases[] = {
    {"Ascii64", 0, {"ab", "hello", "x1", ""}, "", 2,
     {"ab000", "hello", "x1000", "00000"}, "NV_SetPrivacy(1,64)", 5, false},
    {"Hex64", 1, {"1a2", "DEADBEEF01", "", "ff"}, "", 0,
     {"1a20000000", "DEADBEEF01", "0000000000", "ff00000000"}, "NV_SetPrivacy(1,64)", 5, true},
    {"Ascii128", 2, {"secret", "0123456789abc", "", "z"}, "", 3,
     {"secret0000000", "0123456789abc", "0000000000000", "z000000000000"}, "NV_SetPrivacy(1,128)", 13, false},
    {"Hex128", 3, {"00112233445566778899aabbcc", "abc", "", ""}, "", 1,
     {"00112233445566778899aabbcc", "abc00000000000000000000000", "00000000000000000000000000",
      "00000000000000000000000000"},
     "NV_SetPrivacy(1,128)", 13, true},
    {"Passphrase64", 4, {nullptr, nullptr, nullptr, nullptr}, "tarnel", 1,
     {nullptr, nullptr, nullptr, nullptr}, "NV_SetPrivacy(1,64)", 5, true},
    {"Passphrase128", 5, {nullptr, nullptr, nullptr, nullptr}, "tarnel", 2,
     {nullptr, nullptr, nullptr, nullptr}, "NV_SetPrivacy(1,128)", 13, true},
    {"Tkip64", 6, {"0102030405", "", "", ""}, "", 0,
     {"0102030405", "0000000000", "0000000000", "0000000000"}, "NV_SetPrivacy(2,64)", 5, true},
    {"Tkip128", 7, {"f", "", "", ""}, "", 0,
     {"f0000000000000000000000000", "00000000000000000000000000", "00000000000000000000000000",
      "00000000000000000000000000"},
     "NV_SetPrivacy(2,128)", 13, true},
};

class Encryption : public Journey, public testing::WithParamInterface<KeyCase> {
 protected:
  HWND OpenEncryption() { return OpenSettingsPage(PageKind::Encryption); }

  // Ticks "Data Encryption", picks the format, types the keys or the passphrase, picks the
  // default key and clicks Apply.
  void EnterAndApply(HWND page, const KeyCase& c) {
    Click(page, IDC_ENCRYPTION_ENABLE);
    ChooseComboEntry(page, IDC_KEY_FORMAT, c.format);
    if (c.typed[0]) {
      for (int i = 0; i < 4; ++i) SetControlText(page, kKeyEdits[i], c.typed[i]);
    } else {
      SetControlText(page, IDC_PASSPHRASE, c.passphrase);
    }
    Click(page, kKeyRadios[c.defaultKey]);
    Sim().ClearLog();
    Click(page, IDC_ENCRYPTION_APPLY);
  }

  // The key texts the page should end with.
  void ExpectedKeys(const KeyCase& c, std::string keys[4]) {
    if (c.stored[0]) {
      for (int i = 0; i < 4; ++i) keys[i] = c.stored[i];
    } else if (c.format == 4) {
      const std::string all = Passphrase64Keys(c.passphrase);
      for (int i = 0; i < 4; ++i) keys[i] = all.substr(10 * i, 10);
    } else {
      // 128-bit: the same 26 digits in each key, checked for form and agreement below.
      for (int i = 0; i < 4; ++i) keys[i] = Stored().Text("Default", "KEY1");
    }
  }
};

TEST_P(Encryption, ApplyStoresShowsAndSendsTheKeys) {
  const KeyCase& c = GetParam();
  HWND page = OpenEncryption();
  EXPECT_FALSE(IsChecked(page, IDC_ENCRYPTION_ENABLE)) << "a fresh profile has encryption off";
  EXPECT_FALSE(IsControlEnabled(page, IDC_KEY_FORMAT));
  EnterAndApply(page, c);

  std::string keys[4];
  ExpectedKeys(c, keys);
  if (c.format == 5) {
    ASSERT_EQ(26u, keys[0].size());
    EXPECT_EQ(std::string::npos, keys[0].find_first_not_of("0123456789abcdef")) << keys[0];
  }
  EXPECT_EQ(c.format, Stored().Number("Default", "WEP"));
  EXPECT_EQ(c.defaultKey, Stored().Number("Default", "KEYINDEX"));
  EXPECT_EQ(c.passphrase, Stored().Text("Default", "PASSPHRASE"));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(keys[i], Stored().Text("Default", kKeyValues[i])) << kKeyValues[i];
    EXPECT_EQ(keys[i], ControlText(page, kKeyEdits[i])) << "shown filled up: " << kKeyValues[i];
  }

  Calls expected = {c.privacy, "NV_SetAuthenticaionMode(2)", "NV_SetDefaultKeyID(" + std::to_string(c.defaultKey) + ")"};
  for (int i = 0; i < 4; ++i) {
    const std::string bytes = c.hex ? Lower(keys[i]).substr(0, 2 * c.keyLength) : HexOfText(keys[i]);
    expected.push_back("NV_SetWEPKey(" + std::to_string(i) + "," + std::to_string(c.keyLength) + "," + bytes + ")");
  }
  EXPECT_EQ(expected, SettingCalls());
  EXPECT_GE(WaitFor([&] { return !IsControlEnabled(page, IDC_ENCRYPTION_APPLY); }, kCheckWait), 0)
      << "the page equals the stored profile";
}

INSTANTIATE_TEST_SUITE_P(EachFormat, Encryption, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<KeyCase>& c) { return std::string(c.param.name); });

class EncryptionChanges : public Journey {
 protected:
  HWND OpenEncryption() { return OpenSettingsPage(PageKind::Encryption); }
};

TEST_F(EncryptionChanges, HexKeysTakeOnlyHexDigitsFromTheKeyboard) {
  HWND page = OpenEncryption();
  Click(page, IDC_ENCRYPTION_ENABLE);
  ChooseComboEntry(page, IDC_KEY_FORMAT, 1);  // 64-bit Hex
  HWND key = ::GetDlgItem(page, IDC_KEY1);
  // Key presses as the keyboard queues them; the page's key filter sees them before the edit.
  for (WORD vk : {WORD('G'), WORD('1'), WORD('Z'), WORD('A'), WORD('9')}) {
    ::PostMessageA(key, WM_KEYDOWN, vk, 1);
    ::PostMessageA(key, WM_KEYUP, vk, 0xC0000001);
  }
  EXPECT_EQ("1a9", AwaitText(page, IDC_KEY1, "1a9", 1500)) << "G and Z are swallowed";
}

TEST_F(EncryptionChanges, StoredKeysComeBackMaskedAndEncryptionGoesOffAgain) {
  HWND page = OpenEncryption();
  Click(page, IDC_ENCRYPTION_ENABLE);
  ChooseComboEntry(page, IDC_KEY_FORMAT, 2);  // 128-bit ASCII
  SetControlText(page, IDC_KEY2, "cabinet-door!");
  Click(page, IDC_KEY2_RADIO);
  Click(page, IDC_ENCRYPTION_APPLY);

  // Away and back: the page reloads from the profile and hides the keys.
  ShowPage(PageKind::LinkInfo);
  page = OpenEncryption();
  EXPECT_TRUE(IsChecked(page, IDC_ENCRYPTION_ENABLE));
  EXPECT_EQ(2, ComboSelection(page, IDC_KEY_FORMAT));
  EXPECT_TRUE(IsChecked(page, IDC_KEY2_RADIO));
  EXPECT_EQ("cabinet-door!", ControlText(page, IDC_KEY2));
  EXPECT_EQ('*', ::SendMessageA(::GetDlgItem(page, IDC_KEY2), EM_GETPASSWORDCHAR, 0, 0)) << "masked";
  SaveShot("encryption", Main());

  // An edit not applied is taken back by Cancel.
  SetControlText(page, IDC_KEY2, "other");
  EXPECT_GE(WaitFor([&] { return IsControlEnabled(page, IDC_ENCRYPTION_APPLY); }, kCheckWait), 0);
  Click(page, IDC_ENCRYPTION_CANCEL);
  EXPECT_EQ("cabinet-door!", ControlText(page, IDC_KEY2));

  // Unticked and applied: off, keys cleared, key calls without key data.
  Click(page, IDC_ENCRYPTION_ENABLE);
  EXPECT_FALSE(IsControlEnabled(page, IDC_KEY_FORMAT));
  EXPECT_EQ("", ControlText(page, IDC_KEY2));
  Sim().ClearLog();
  Click(page, IDC_ENCRYPTION_APPLY);
  EXPECT_EQ(-1, Stored().Number("Default", "WEP"));
  EXPECT_EQ("", Stored().Text("Default", "KEY2"));
  EXPECT_EQ(1, Stored().Number("Default", "KEYINDEX")) << "Key2 stays ticked";
  const Calls expected = {"NV_SetPrivacy(0,64)",     "NV_SetAuthenticaionMode(2)", "NV_SetDefaultKeyID(1)",
                          "NV_SetWEPKey(0,5,null)", "NV_SetWEPKey(1,5,null)",     "NV_SetWEPKey(2,5,null)",
                          "NV_SetWEPKey(3,5,null)"};
  EXPECT_EQ(expected, SettingCalls());
}

}  // namespace
}  // namespace tarnel::test
