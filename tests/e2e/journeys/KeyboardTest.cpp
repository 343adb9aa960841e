// The window driven from the keyboard alone: real key presses through the program's own message
// loop. Enter carries out the page's default command and never ends the program; Ctrl+Tab and
// its companions change pages wherever the focus is; Escape still closes the window.
#include "E2eListView.h"
#include "Journey.h"

#include <commctrl.h>

namespace tarnel::test {
namespace {

using sim::NvCall;

class Keyboard : public Journey {
 protected:
  void SetUp() override {
    Journey::SetUp();
    ::SetForegroundWindow(Main());
    ASSERT_GE(WaitFor([&] { return FocusOf(Main()) != nullptr; }, 2000), 0) << "the window has the keyboard";
  }

  // A page-switch chord; true when kind's page came to the front with the focus on its first
  // control (first: 0 for a page that has none).
  bool SwitchTo(std::initializer_list<WORD> chord, PageKind kind, int first) {
    PressKeys(chord);
    HWND page = Page(kind);
    return WaitFor([&] { return ::IsWindowVisible(page) && FocusOf(Main()) == ::GetDlgItem(page, first); },
                   1500) >= 0;
  }
  // Presses Enter in an edit showing text, then types a marker that shows when both keys have
  // been handled.
  void EnterThenType(HWND page, int edit, const std::string& text, const std::string& marker) {
    ASSERT_GE(WaitFor([&] { return ControlText(page, edit) == text; }, 1500), 0);
    PressKeys({VK_RETURN});
    TypeText(marker);
    EXPECT_GE(WaitFor([&] { return ControlText(page, edit) == text + marker; }, 1500), 0) << ControlText(page, edit);
  }
  bool StillRuns() { return session.App().IsRunning() && Count(NvCall::NV_Stop) == 0; }
  int FocusedRow(HWND page) {
    return static_cast<int>(::SendMessageA(::GetDlgItem(page, IDC_SURVEY_LIST), LVM_GETNEXTITEM,
                                           static_cast<WPARAM>(-1), LVNI_FOCUSED));
  }
};

TEST_F(Keyboard, EnterAppliesAddsOrJoinsAndNeverEndsTheProgram) {
  // Start-up: the focus is in the version panel, whose filter swallows Enter.
  PressKeys({VK_RETURN});
  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_TAB}, PageKind::Configuration, IDC_SSID));
  HWND config = Page(PageKind::Configuration);
  ASSERT_GE(WaitFor([&] { return !IsControlEnabled(config, IDC_CONFIG_APPLY); }, kCheckWait), 0) << "loaded";

  // A typed network name and Enter: applied at once, without waiting for the change check.
  Sim().ClearLog();
  TypeText("harbour");
  ASSERT_GE(WaitFor([&] { return ControlText(config, IDC_SSID) == "harbour"; }, 1500), 0);
  SaveShot("keyboard-configuration", Main());
  PressKeys({VK_RETURN});
  ASSERT_GE(WaitFor([&] { return SettingCalls().size() == 7; }, 2000), 0) << "Apply pressed";
  EXPECT_EQ("NV_SetSSID(harbour)", SettingCalls()[1]);
  EXPECT_EQ("harbour", Stored().Text("Default", "SSID"));
  // Nothing left to apply: Enter does nothing.
  Sim().ClearLog();
  EnterThenType(config, IDC_SSID, "harbour", "x");
  EXPECT_EQ(Calls{}, SettingCalls());

  // In the profile-name box Enter presses "Add" beside it.
  for (int i = 0; i < 5; ++i) PressKeys({VK_TAB});
  ASSERT_GE(WaitFor([&] { return FocusOf(Main()) == ::GetDlgItem(config, IDC_PROFILE_NAME); }, 1500), 0);
  TypeText("office");
  PressKeys({VK_RETURN});
  EXPECT_GE(WaitFor([&] { return ListBoxEntries(config, IDC_PROFILE_LIST).size() == 1; }, 2000), 0);
  EXPECT_EQ(std::vector<std::string>{"office"}, Stored().Listed());
  EXPECT_EQ("harbourx", Stored().Text("office", "SSID")) << "the page's settings under the new name";

  // Encryption: a hex key box swallows Enter; an ASCII one with something to apply applies.
  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_TAB}, PageKind::Encryption, IDC_ENCRYPTION_ENABLE));
  HWND encryption = Page(PageKind::Encryption);
  ASSERT_GE(WaitFor([&] { return !IsControlEnabled(encryption, IDC_ENCRYPTION_APPLY); }, kCheckWait), 0);
  PressKeys({VK_SPACE});
  PressKeys({VK_TAB});
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});  // "64-bit Hex"
  PressKeys({VK_TAB});
  PressKeys({VK_TAB});
  ASSERT_GE(WaitFor([&] { return FocusOf(Main()) == ::GetDlgItem(encryption, IDC_KEY1); }, 1500), 0);
  ASSERT_EQ(1, ComboSelection(encryption, IDC_KEY_FORMAT));
  Sim().ClearLog();
  TypeText("ab12");
  EnterThenType(encryption, IDC_KEY1, "ab12", "c");
  EXPECT_EQ(Calls{}, SettingCalls()) << "the hex box keeps Enter to itself";

  PressKeys({VK_SHIFT, VK_TAB});
  PressKeys({VK_SHIFT, VK_TAB});
  PressKeys({VK_UP});  // "64-bit ASCII"
  PressKeys({VK_TAB});
  PressKeys({VK_TAB});
  TypeText("hello");
  ASSERT_GE(WaitFor([&] { return ControlText(encryption, IDC_KEY1) == "hello"; }, 1500), 0);
  PressKeys({VK_RETURN});
  ASSERT_GE(WaitFor([&] { return SettingCalls().size() == 7; }, 2000), 0) << "Apply pressed";
  EXPECT_EQ("NV_SetPrivacy(1,64)", SettingCalls()[0]);
  EXPECT_EQ(0, Stored().Number("office", "WEP"));
  EXPECT_EQ("hello", Stored().Text("office", "KEY1"));

  // SiteSurvey: Enter on no row does nothing; on the focused row it joins that network.
  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_NEXT}, PageKind::SiteSurvey, IDC_SURVEY_LIST));
  HWND survey = Page(PageKind::SiteSurvey);
  RemoteListView list(::GetDlgItem(survey, IDC_SURVEY_LIST));
  ASSERT_GE(WaitFor([&] { return list.RowCount() == 6; }, kSurveyWait), 0);
  ASSERT_EQ(-1, FocusedRow(survey));
  Sim().ClearLog();
  PressKeys({VK_RETURN});
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  ASSERT_GE(WaitFor([&] { return FocusedRow(survey) >= 1; }, 1500), 0);
  SaveShot("keyboard-site-survey", Main());
  EXPECT_EQ(Calls{}, SettingCalls());
  const std::string ssid = list.Text(FocusedRow(survey), 1);
  PressKeys({VK_RETURN});
  HWND link = Page(PageKind::LinkInfo);
  ASSERT_GE(WaitFor([&] { return ::IsWindowVisible(link) != FALSE; }, 1500), 0) << "as after a double-click";
  EXPECT_EQ((Calls{"NV_SetNetworkType(1)", "NV_SetSSID(" + ssid + ")", "NV_Rescan()"}), SettingCalls());
  EXPECT_EQ(ssid, Stored().Text("office", "SSID"));
  EXPECT_TRUE(StillRuns());
}

TEST_F(Keyboard, PageKeysWrapAroundAndEscapeStillCloses) {
  // The link page's filter swallows every key, yet the page keys work from it.
  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_SHIFT, VK_TAB}, PageKind::SiteSurvey, IDC_SURVEY_LIST)) << "0 back to 3";
  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_TAB}, PageKind::LinkInfo, IDC_STATUS)) << "3 on to 0";
  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_PRIOR}, PageKind::SiteSurvey, IDC_SURVEY_LIST));
  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_PRIOR}, PageKind::Encryption, IDC_ENCRYPTION_ENABLE));
  // As a click on the tab: the page loads its profile once shown.
  HWND encryption = Page(PageKind::Encryption);
  EXPECT_GE(WaitFor([&] { return !IsControlEnabled(encryption, IDC_ENCRYPTION_APPLY); }, kCheckWait), 0);
  EXPECT_FALSE(::IsWindowVisible(Page(PageKind::SiteSurvey)));

  // While the system's own wireless configuration runs the adapter there is one page.
  Sim().SetXpConfig(true);
  ASSERT_GE(WaitFor([&] { return Page(PageKind::Encryption) == nullptr; }, kRebuildWait), 0);
  PressKeys({VK_CONTROL, VK_TAB});
  PressKeys({VK_CONTROL, VK_NEXT});
  ::Sleep(300);
  EXPECT_TRUE(::IsWindowVisible(Page(PageKind::LinkInfo))) << "nowhere to go";
  Sim().SetXpConfig(false);
  ASSERT_GE(WaitFor([&] { return Page(PageKind::Encryption) != nullptr; }, kRebuildWait), 0);
  EXPECT_TRUE(StillRuns());

  ASSERT_TRUE(SwitchTo({VK_CONTROL, VK_TAB}, PageKind::Configuration, IDC_SSID));
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(session.App().WaitForExit()) << "Escape closes the window and ends the program";
  EXPECT_EQ(1u, Count(NvCall::NV_Stop));
}

}  // namespace
}  // namespace tarnel::test
