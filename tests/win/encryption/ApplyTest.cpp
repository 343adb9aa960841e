// Apply: what the profile then holds, what the edits show, and the driver calls in their order.
#include <cstring>

#include "EncryptionFixture.h"
#include "framework/WaitCursor.h"

namespace tarnel::test {
namespace {

std::string WepKeyCall(int slot, int length, const std::string& bytes) {
  return "NV_SetWEPKey(" + std::to_string(slot) + "," + std::to_string(length) + "," + bytes + ")";
}

struct ApplyCase {
  int format;
  Keys storedKeys;
  std::string passphrase;
  const char* privacyCall;  // null: none expected
  int keyLength;
  Keys shownAfter;  // what the edits show and the profile holds after Apply
  Keys sentBytes;   // key bytes as hex, or "null"
};

const ApplyCase kCases[] = {
    // Off: the keys stay as stored and the key calls carry no data.
    {-1, {"abc", "", "zz", "0123456789"}, "pp", "NV_SetPrivacy(0,64)", 5,
     {"abc", "", "zz", "0123456789"}, {"null", "null", "null", "null"}},
    // ASCII: filled up with the character "0"; the characters are the bytes; longer text is cut.
    {0, {"ab", "hello", "", "toolongtext"}, "", "NV_SetPrivacy(1,64)", 5,
     {"ab000", "hello", "00000", "toolongtext"}, {"6162303030", "68656c6c6f", "3030303030", "746f6f6c6f"}},
    // Hex: decoded two digits a byte, either case; a third digit is a high half.
    {1, {"abc", "0123456789", "FFeeDDccBB", ""}, "", "NV_SetPrivacy(1,64)", 5,
     {"abc0000000", "0123456789", "FFeeDDccBB", "0000000000"},
     {"abc0000000", "0123456789", "ffeeddccbb", "0000000000"}},
    {2, {"x", "abcdefghijklm", "", "A"}, "", "NV_SetPrivacy(1,128)", 13,
     {"x000000000000", "abcdefghijklm", "0000000000000", "A000000000000"},
     {"78303030303030303030303030", "6162636465666768696a6b6c6d", "30303030303030303030303030",
      "41303030303030303030303030"}},
    {3, {"0102030405060708090a0b0c0d", "f", "", "ABCDEF"}, "", "NV_SetPrivacy(1,128)", 13,
     {"0102030405060708090a0b0c0d", "f0000000000000000000000000", "00000000000000000000000000",
      "ABCDEF00000000000000000000"},
     {"0102030405060708090a0b0c0d", "f0000000000000000000000000", "00000000000000000000000000",
      "abcdef00000000000000000000"}},
    // Passphrase: the keys shown are those of the stored passphrase, whatever keys were stored.
    {4, {"stale", "", "", ""}, "secret", "NV_SetPrivacy(1,64)", 5,
     {"c93ca31eca", "dc1124096f", "af8c5062bf", "dd15219276"},
     {"c93ca31eca", "dc1124096f", "af8c5062bf", "dd15219276"}},
    {5, {"", "", "", ""}, "secret", "NV_SetPrivacy(1,128)", 13,
     {"1c064922046d6517dfef3b7ef3", "1c064922046d6517dfef3b7ef3", "1c064922046d6517dfef3b7ef3",
      "1c064922046d6517dfef3b7ef3"},
     {"1c064922046d6517dfef3b7ef3", "1c064922046d6517dfef3b7ef3", "1c064922046d6517dfef3b7ef3",
      "1c064922046d6517dfef3b7ef3"}},
    // TKIP: hex keys, privacy mode 2.
    {6, {"12", "", "", "aAbBcCdDeE"}, "", "NV_SetPrivacy(2,64)", 5,
     {"1200000000", "0000000000", "0000000000", "aAbBcCdDeE"},
     {"1200000000", "0000000000", "0000000000", "aabbccddee"}},
    {7, {"", "", "", "1"}, "", "NV_SetPrivacy(2,128)", 13,
     {"00000000000000000000000000", "00000000000000000000000000", "00000000000000000000000000",
      "10000000000000000000000000"},
     {"00000000000000000000000000", "00000000000000000000000000", "00000000000000000000000000",
      "10000000000000000000000000"}},
};

TEST_F(EncryptionPageTest, ApplyStoresThePageAndSendsEachFormatInOrder) {
  Open();
  for (const ApplyCase& c : kCases) {
    SCOPED_TRACE("format " + std::to_string(c.format));
    StoreAndReload(c.format, 2, c.storedKeys, c.passphrase);
    driver.ClearCalls();
    page().ApplyEncryption();

    Calls expected = {c.privacyCall, "NV_SetAuthenticaionMode(2)", "NV_SetDefaultKeyID(2)"};
    for (int slot = 0; slot < 4; ++slot) expected.push_back(WepKeyCall(slot, c.keyLength, c.sentBytes[slot]));
    EXPECT_EQ(expected, driver.Calls());

    EXPECT_EQ(c.shownAfter, KeyTexts());
    const Stored stored = Load();
    EXPECT_EQ(c.format, stored.wep);
    EXPECT_EQ(2, stored.keyIndex);
    EXPECT_EQ(c.shownAfter, stored.keys);
    EXPECT_EQ(c.passphrase, stored.passphrase);
    EXPECT_EQ(0, CWaitCursor::Depth());
  }
}

TEST_F(EncryptionPageTest, TypedKeyIsFilledUpShownStoredAndSentOnTheApplyButton) {
  Open();
  Click(IDC_ENCRYPTION_ENABLE);
  ChooseFormat(1);
  Type(IDC_KEY3, "abc");
  Click(IDC_KEY3_RADIO);
  driver.ClearCalls();
  Click(IDC_ENCRYPTION_APPLY);

  EXPECT_EQ("abc0000000", Text(IDC_KEY3));
  const Stored stored = Load();
  EXPECT_EQ(1, stored.wep);
  EXPECT_EQ(2, stored.keyIndex);
  EXPECT_EQ((Keys{"0000000000", "0000000000", "abc0000000", "0000000000"}), stored.keys);
  EXPECT_EQ((Calls{"NV_SetPrivacy(1,64)", "NV_SetAuthenticaionMode(2)", "NV_SetDefaultKeyID(2)",
                   WepKeyCall(0, 5, "0000000000"), WepKeyCall(1, 5, "0000000000"),
                   WepKeyCall(2, 5, "abc0000000"), WepKeyCall(3, 5, "0000000000")}),
            driver.Calls());
}

TEST_F(EncryptionPageTest, ApplyWithNoKeyTickedTicksKeyOneAndUsesIt) {
  Open();
  Click(IDC_ENCRYPTION_ENABLE);
  ChooseFormat(0);
  ASSERT_EQ(std::vector<int>{}, TickedKeys());
  page().ApplyEncryption();
  EXPECT_EQ(std::vector<int>{0}, TickedKeys());
  EXPECT_EQ(0, Load().keyIndex);
  EXPECT_EQ("NV_SetDefaultKeyID(0)", driver.Calls().at(2));
}

TEST_F(EncryptionPageTest, UntickingTheBoxAppliesEncryptionOffWithEmptyKeys) {
  Open();
  StoreAndReload(3, 1, {"0102030405060708090a0b0c0d", "", "", ""}, "pp");
  Click(IDC_ENCRYPTION_ENABLE);
  EXPECT_FALSE(Checked(IDC_ENCRYPTION_ENABLE));
  driver.ClearCalls();
  page().ApplyEncryption();
  const Stored stored = Load();
  EXPECT_EQ(-1, stored.wep);
  EXPECT_EQ(1, stored.keyIndex);
  EXPECT_EQ(Keys{}, stored.keys);
  EXPECT_EQ("", stored.passphrase);
  EXPECT_EQ((Calls{"NV_SetPrivacy(0,64)", "NV_SetAuthenticaionMode(2)", "NV_SetDefaultKeyID(1)",
                   WepKeyCall(0, 5, "null"), WepKeyCall(1, 5, "null"), WepKeyCall(2, 5, "null"),
                   WepKeyCall(3, 5, "null")}),
            driver.Calls());
}

TEST_F(EncryptionPageTest, ProfileIsNamedByTheCurrentProfileName) {
  Open();
  Store(1, 3, {"1111111111", "", "", ""}, "", "Home");
  CurrentProfileName = "Home";
  page().ReloadEncryption();
  Type(IDC_KEY1, "22");
  page().ApplyEncryption();
  EXPECT_EQ("2200000000", Load("Home").keys[0]);
  EXPECT_EQ(-1, Load("Default").wep) << "the other profile is left alone";
}

// Texts no longer than the store can read back.
TEST_F(EncryptionPageTest, OverlongTextsAreCutToWhatTheStoreReadsBack) {
  Open();
  StoreAndReload(-1, 0, {"", "", "", ""});
  const std::string longText(300, 'k');
  Type(IDC_KEY2, longText);  // text from code may exceed any typing limit
  page().ApplyEncryption();
  EXPECT_EQ(std::string(259, 'k'), Load().keys[1]);

  // A passphrase is limited as it is typed, so the keys made from it survive a reload.
  StoreAndReload(4, 0, {"", "", "", ""}, "");
  ::SendMessageA(Item(IDC_PASSPHRASE), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(longText.c_str()));
  EXPECT_EQ(259u, Text(IDC_PASSPHRASE).size());
  const Keys shown = KeyTexts();
  page().ApplyEncryption();
  page().ReloadEncryption();
  EXPECT_EQ(std::string(259, 'k'), Text(IDC_PASSPHRASE));
  EXPECT_EQ(shown, KeyTexts());
}

TEST(EncryptionPageWithoutWindow, ApplyAndReloadLeaveStoreAndDriverAlone) {
  FakeDriver driver;
  CEncryptionPage page;
  page.ReloadEncryption();
  page.ApplyEncryption();
  EXPECT_EQ(Calls{}, driver.Calls());
  EXPECT_EQ(0, CWaitCursor::Depth());
}

}  // namespace
}  // namespace tarnel::test
