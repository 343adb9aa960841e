// The page's timers in real time: activation reloads the current profile once and polls while
// the page is shown.
#include "EncryptionFixture.h"
#include "framework/WaitCursor.h"

namespace tarnel::test {
namespace {

TEST_F(EncryptionPageTest, ActivationReloadsTheCurrentProfileThenPollsUntilHidden) {
  Open();
  Store(1, 2, {"0123456789", "aaaaaaaaaa", "bbbbbbbbbb", "cccccccccc"}, "", "Home");
  SetCurrentProfile("Home");
  ASSERT_EQ("Default", CurrentProfileName);

  page().OnSetActive();
  Pump(150);
  EXPECT_EQ("Home", CurrentProfileName) << "the page takes the store's current profile";
  EXPECT_EQ("0123456789", Text(IDC_KEY1));
  EXPECT_EQ(std::vector<int>{2}, TickedKeys());
  EXPECT_FALSE(::KillTimer(page().m_hWnd, CEncryptionPage::kReloadTimerId)) << "the reload runs once";
  EXPECT_EQ(0, CWaitCursor::Depth());
  EXPECT_TRUE(ApplyAndCancelEnabled()) << "as the template has them, until the first poll";

  Pump(1300);  // the first poll is due 800 ms after activation
  EXPECT_FALSE(ApplyAndCancelEnabled()) << "the poll found the page equal to the profile";
  Type(IDC_KEY2, "ab");
  Pump(1000);
  EXPECT_TRUE(ApplyAndCancelEnabled());

  page().ShowWindow(SW_HIDE);
  EXPECT_FALSE(::KillTimer(page().m_hWnd, CEncryptionPage::kPollTimerId)) << "a hidden page does not poll";

  // Shown and activated again: both timers run anew.
  page().ShowWindow(SW_SHOW);
  page().OnSetActive();
  Pump(150);
  EXPECT_EQ("aaaaaaaaaa", Text(IDC_KEY2)) << "the unapplied edit is gone";
  EXPECT_TRUE(::KillTimer(page().m_hWnd, CEncryptionPage::kPollTimerId));
}

}  // namespace
}  // namespace tarnel::test
