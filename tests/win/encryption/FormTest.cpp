// The form: which controls each format offers, loading a profile, keys from a passphrase,
// masking, and the change check that enables Apply and Cancel.
#include "EncryptionFixture.h"

namespace tarnel::test {
namespace {

// The ten controls a format governs: list, passphrase, four radio buttons, four key edits.
constexpr int kGoverned[] = {IDC_KEY_FORMAT, IDC_PASSPHRASE, IDC_KEY1_RADIO, IDC_KEY2_RADIO, IDC_KEY3_RADIO,
                             IDC_KEY4_RADIO, IDC_KEY1,       IDC_KEY2,       IDC_KEY3,       IDC_KEY4};

const Keys kSecret64 = {"c93ca31eca", "dc1124096f", "af8c5062bf", "dd15219276"};
const std::string kSecret128 = "1c064922046d6517dfef3b7ef3";

class FormTest : public EncryptionPageTest {
 protected:
  // "1" for each enabled control of the ten, else "0".
  std::string EnabledPattern() {
    std::string pattern;
    for (int id : kGoverned) pattern += Enabled(id) ? '1' : '0';
    return pattern;
  }
  UINT Limit(int id) { return static_cast<UINT>(::SendMessageA(Item(id), EM_GETLIMITTEXT, 0, 0)); }
  // What a limit of 0 means on this platform.
  static UINT LargestLimit() {
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::SendMessageA(edit, EM_LIMITTEXT, 0, 0);
    const UINT largest = static_cast<UINT>(::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    ::DestroyWindow(edit);
    return largest;
  }
};

TEST_F(FormTest, EachFormatEnablesItsControlsClearsTheTextsAndLimitsTyping) {
  Open();
  const UINT largest = LargestLimit();
  struct Case {
    int format;
    const char* pattern;
    UINT limit;  // 0: not changed
  };
  const Case cases[] = {
      {0, "1011111111", 5},  {1, "1011111111", 10}, {2, "1011111111", 13},
      {3, "1011111111", 26}, {4, "1111110000", 0},  {5, "1111110000", 0},
      {6, "1011111111", 10}, {7, "1011111111", 26}, {9, "1011111111", largest},
  };
  Click(IDC_ENCRYPTION_ENABLE);
  for (const Case& c : cases) {
    SCOPED_TRACE("format " + std::to_string(c.format));
    for (int id : {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4, IDC_PASSPHRASE}) Type(id, "x");
    page().UpdateFormatControls(c.format);
    EXPECT_EQ(c.pattern, EnabledPattern());
    EXPECT_EQ(Keys{}, KeyTexts());
    EXPECT_EQ("", Text(IDC_PASSPHRASE));
    if (c.limit) {
      for (int id : kKeyIds) EXPECT_EQ(c.limit, Limit(id));
    }
  }
}

TEST_F(FormTest, TheBoxOffersTheListFirstAndUntickingDisablesEverything) {
  Open();
  Click(IDC_ENCRYPTION_ENABLE);
  EXPECT_EQ("1000000000", EnabledPattern()) << "ticked, nothing chosen: only the list";
  EXPECT_EQ(-1, Selection());
  ChooseFormat(3);
  EXPECT_EQ("1011111111", EnabledPattern());
  Type(IDC_KEY1, "ab");
  ChooseFormat(1);
  EXPECT_EQ("", Text(IDC_KEY1)) << "a new format clears the keys";
  Click(IDC_ENCRYPTION_ENABLE);
  EXPECT_EQ("0000000000", EnabledPattern());
  EXPECT_EQ(-1, Selection());
}

TEST_F(FormTest, ReloadShowsTheStoredProfileMasked) {
  Open();
  // Off: shown as stored, in clear, everything disabled.
  StoreAndReload(-1, 0, {"k1", "", "", ""}, "pp");
  EXPECT_FALSE(Checked(IDC_ENCRYPTION_ENABLE));
  EXPECT_EQ(-1, Selection());
  EXPECT_EQ("0000000000", EnabledPattern());
  EXPECT_EQ("k1", Text(IDC_KEY1));
  EXPECT_EQ("pp", Text(IDC_PASSPHRASE));
  EXPECT_EQ("-----", Masks());
  EXPECT_EQ(0, page().IsEncryptionModified());

  StoreAndReload(1, 3, {"0123456789", "", "abcdefabcd", "ffffffffff"}, "pp");
  EXPECT_TRUE(Checked(IDC_ENCRYPTION_ENABLE));
  EXPECT_EQ(1, Selection());
  EXPECT_EQ(std::vector<int>{3}, TickedKeys());
  EXPECT_EQ((Keys{"0123456789", "", "abcdefabcd", "ffffffffff"}), KeyTexts());
  EXPECT_EQ("pp", Text(IDC_PASSPHRASE));
  EXPECT_EQ("*-***", Masks()) << "an empty key shows in clear at once";

  // A key index outside 0 to 3 leaves the radio buttons as they are.
  StoreAndReload(0, 7, {"", "", "", ""});
  EXPECT_EQ(std::vector<int>{3}, TickedKeys());
}

TEST_F(FormTest, ProfileWithoutKeyIndexLoadsWithKeyTwoTicked) {
  Open();
  Store(1, 0, {"", "", "", ""});
  DeleteValue("Default", "KEYINDEX");
  page().ReloadEncryption();
  EXPECT_EQ(std::vector<int>{1}, TickedKeys());
}

TEST_F(FormTest, ReloadingEncryptionOffWhileTickedLeavesOnlyTheListEnabled) {
  Open();
  Click(IDC_ENCRYPTION_ENABLE);
  StoreAndReload(-1, 0, {"", "", "", ""});
  EXPECT_FALSE(Checked(IDC_ENCRYPTION_ENABLE));
  EXPECT_EQ("1000000000", EnabledPattern()) << "the box was unticked after the controls were set up";
  ChooseFormat(2);
  EXPECT_EQ(-1, Selection()) << "with the box clear a choice means encryption off";
  EXPECT_EQ("0000000000", EnabledPattern());
}

TEST_F(FormTest, PassphraseFormatsShowTheGeneratedKeys) {
  Open();
  StoreAndReload(4, 0, kSecret64, "secret");  // as Apply stores it
  EXPECT_EQ(kSecret64, KeyTexts());
  EXPECT_EQ("*****", Masks());

  Type(IDC_PASSPHRASE, "a");
  EXPECT_EQ((Keys{"63cace42d9", "f201f42a09", "d275059af9", "b4721c60fd"}), KeyTexts());

  // Emptying the passphrase clears the keys and shows everything in clear.
  Type(IDC_PASSPHRASE, "");
  EXPECT_EQ(Keys{}, KeyTexts());
  EXPECT_EQ("-----", Masks());

  ChooseFormat(5);
  Type(IDC_PASSPHRASE, "secret");
  EXPECT_EQ((Keys{kSecret128, kSecret128, kSecret128, kSecret128}), KeyTexts());

  // Another format leaves the keys alone when the passphrase changes.
  ChooseFormat(0);
  Type(IDC_KEY1, "abc");
  Type(IDC_PASSPHRASE, "secret");
  EXPECT_EQ("abc", Text(IDC_KEY1));
}

TEST_F(FormTest, EmptiedEditsLoseTheirMaskAtOnceOrAtTheNextTick) {
  Open();
  StoreAndReload(3, 0, {"0102030405060708090a0b0c0d", "aa", "bb", "cc"}, "");
  EXPECT_EQ("*****", Masks()) << "the empty passphrase is masked until the tick";
  Type(IDC_KEY2, "");
  EXPECT_EQ("*-***", Masks());
  Type(IDC_KEY2, "12");
  EXPECT_EQ("*-***", Masks()) << "typed after clearing: in clear";
  PollTick();
  EXPECT_EQ("*-**-", Masks());
}

TEST_F(FormTest, ApplyAndCancelFollowTheComparisonAtEachTick) {
  Open();
  StoreAndReload(1, 0, {"abc0000000", "0123456789", "0000000000", "0000000000"});
  PollTick();
  EXPECT_FALSE(ApplyAndCancelEnabled());

  Type(IDC_KEY2, "0123456788");
  PollTick();
  EXPECT_TRUE(ApplyAndCancelEnabled());
  Type(IDC_KEY2, "0123456789");
  PollTick();
  EXPECT_FALSE(ApplyAndCancelEnabled()) << "edited back to the stored text";

  Type(IDC_KEY1, "abc");
  Type(IDC_KEY3, "0");
  PollTick();
  EXPECT_FALSE(ApplyAndCancelEnabled()) << "short keys compare filled up";

  Type(IDC_KEY1, "ABC");
  PollTick();
  EXPECT_TRUE(ApplyAndCancelEnabled()) << "texts compare case-sensitively";

  Click(IDC_KEY4_RADIO);
  Click(IDC_ENCRYPTION_CANCEL);
  EXPECT_EQ("abc0000000", Text(IDC_KEY1));
  EXPECT_EQ(std::vector<int>{0}, TickedKeys());
  PollTick();
  EXPECT_FALSE(ApplyAndCancelEnabled());

  Click(IDC_KEY4_RADIO);
  PollTick();
  EXPECT_TRUE(ApplyAndCancelEnabled()) << "another default key";
}

TEST_F(FormTest, APassphraseWithTheSameKeysIsNoChange) {
  Open();
  // 64-bit keys depend on the four seed bytes only: "wxyz" twice cancels out.
  Store(4, 0, {"", "", "", ""}, "secret");
  page().ReloadEncryption();
  page().ApplyEncryption();
  PollTick();
  ASSERT_FALSE(ApplyAndCancelEnabled());
  Type(IDC_PASSPHRASE, "secretwxyzwxyz");
  PollTick();
  EXPECT_FALSE(ApplyAndCancelEnabled());
  Type(IDC_PASSPHRASE, "secrets");
  PollTick();
  EXPECT_TRUE(ApplyAndCancelEnabled());
}

}  // namespace
}  // namespace tarnel::test
