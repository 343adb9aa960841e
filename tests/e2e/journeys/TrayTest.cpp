// The notification-area icon: switching the radio off and on, opening the window, a second
// start while the window is hidden in the tray, and leaving the program from the icon's menu.
// The pop-up menu cannot be read from another process under Wine: its items are checked by
// the in-process tray tests; here it is opened, photographed and closed.
#include "Journey.h"

namespace tarnel::test {
namespace {

using sim::NvCall;

constexpr UINT kRightButtonUp = WM_RBUTTONUP;        // 0x205
constexpr UINT kLeftDoubleClick = WM_LBUTTONDBLCLK;  // 0x203

class Tray : public Journey {
 protected:
  // The link page hides the window on its next tick while the radio is off.
  void SwitchRadioOffFromTheMenu() {
    Sim().ClearLog();
    SendMenuCommand(Main(), ID_TRAY_RADIO);
    EXPECT_EQ(Calls{"NV_SetRadioOff(1)"}, SettingCalls());
    EXPECT_GE(WaitFor([&] { return !Shown(); }, kLinkTickWait), 0) << "hidden with the radio off";
  }
};

TEST_F(Tray, RadioOffHidesTheWindowAndADoubleClickBringsBoth) {
  const std::string lab = LinkStatus("Associated", "tarnel-lab");
  ASSERT_EQ(lab, AwaitText(Page(PageKind::LinkInfo), IDC_STATUS, lab));
  SwitchRadioOffFromTheMenu();
  EXPECT_EQ("Not Associated", AwaitText(Page(PageKind::LinkInfo), IDC_STATUS, "Not Associated"));

  // Shown by other means, the window goes again at the next tick.
  ::ShowWindow(Main(), SW_SHOWNA);
  EXPECT_GE(WaitFor([&] { return !Shown(); }, kLinkTickWait), 0);

  // Right-click: the menu opens over a hidden window.
  ::SetCursorPos(900, 600);
  PostTrayMouse(Main(), kRightButtonUp);
  EXPECT_GE(WaitFor([&] { return MenuOpen(); }, 2000), 0) << "the icon's menu opens";
  EXPECT_FALSE(Shown());
  SaveShot("tray-menu-radio-off", nullptr);
  EXPECT_TRUE(CloseOpenMenu());
  EXPECT_EQ(Calls{"NV_SetRadioOff(1)"}, SettingCalls()) << "closing the menu chose nothing";

  // Double-click: radio on, window restored in front, link back.
  Sim().ClearLog();
  SendTrayMouse(Main(), kLeftDoubleClick);
  EXPECT_EQ(Calls{"NV_SetRadioOff(0)"}, SettingCalls());
  EXPECT_TRUE(Shown());
  EXPECT_FALSE(::IsIconic(Main()));
  EXPECT_EQ(Main(), ::GetForegroundWindow());
  EXPECT_EQ(lab, AwaitText(Page(PageKind::LinkInfo), IDC_STATUS, lab)) << "the adapter finds its network again";
  ::Sleep(400);
  EXPECT_TRUE(Shown()) << "and the ticks leave the window alone";
}

TEST_F(Tray, MenuAndDoubleClickWithTheRadioOn) {
  const std::string lab = LinkStatus("Associated", "tarnel-lab");
  ASSERT_EQ(lab, AwaitText(Page(PageKind::LinkInfo), IDC_STATUS, lab));
  // Right-click with the radio on shows a hidden window...
  ::ShowWindow(Main(), SW_HIDE);
  ::SetCursorPos(900, 600);
  PostTrayMouse(Main(), kRightButtonUp);
  EXPECT_GE(WaitFor([&] { return Shown(); }, 2000), 0);
  // ...with the menu over it. Without a window manager the window's activation comes late and
  // may close that first menu at once; with the window in front, a right-click's menu stays.
  EXPECT_GE(WaitFor([&] { return ::GetForegroundWindow() == Main(); }, 2000), 0);
  CloseOpenMenu();
  ::Sleep(200);
  PostTrayMouse(Main(), kRightButtonUp);
  EXPECT_GE(WaitFor([&] { return MenuOpen(); }, 2000), 0);
  EXPECT_TRUE(Shown());
  SaveShot("tray-menu", nullptr);
  CloseOpenMenu();
  EXPECT_FALSE(MenuOpen());

  // Double-click on a minimised window: restored; the radio is left as it is.
  Sim().ClearLog();
  ::ShowWindow(Main(), SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(Main()));
  SendTrayMouse(Main(), kLeftDoubleClick);
  EXPECT_FALSE(::IsIconic(Main()));
  EXPECT_TRUE(Shown());
  EXPECT_EQ(Calls{}, SettingCalls());

  // The menu's first item opens a hidden window; its radio item switches the radio off and on.
  ::ShowWindow(Main(), SW_HIDE);
  SendMenuCommand(Main(), ID_TRAY_OPEN);
  EXPECT_TRUE(Shown());
  SwitchRadioOffFromTheMenu();
  Sim().ClearLog();
  SendMenuCommand(Main(), ID_TRAY_RADIO);
  EXPECT_EQ(Calls{"NV_SetRadioOff(0)"}, SettingCalls());
  EXPECT_FALSE(Shown()) << "switching on from the menu does not open the window";
  // Other mouse messages on the icon do nothing.
  SendTrayMouse(Main(), WM_LBUTTONUP);
  SendTrayMouse(Main(), WM_MOUSEMOVE);
  EXPECT_FALSE(Shown());
}

TEST_F(Tray, SecondStartWhileHiddenInTheTrayLeavesTheFirstAsItWas) {
  SwitchRadioOffFromTheMenu();
  auto second = session.StartAnother();
  ASSERT_TRUE(second);
  ASSERT_TRUE(second->WaitForExit(5000)) << "the second copy ends at once";
  EXPECT_EQ(0u, second->ExitCode());
  EXPECT_EQ(0, CountMainWindows(second->Id())) << "it showed nothing";
  EXPECT_EQ(1u, Count(NvCall::NV_Initialize));
  EXPECT_EQ(1u, Count(NvCall::NV_Stop)) << "the second copy's way out";

  EXPECT_TRUE(session.App().IsRunning());
  EXPECT_FALSE(::IsWindowVisible(Main())) << "the first copy stays in the tray";
  SendTrayMouse(Main(), kLeftDoubleClick);
  EXPECT_TRUE(::IsWindowVisible(Main())) << "and answers its icon";
}

TEST_F(Tray, ExitFromTheMenuEndsTheProgramAndRemovesTheIcon) {
  ASSERT_GE(WaitFor([&] { return TrayIconCount() >= 1; }, 2000), 0) << "the icon is shown";
  const int icons = TrayIconCount();
  SwitchRadioOffFromTheMenu();  // the window hidden: the icon is all the user has
  SendMenuCommand(Main(), ID_TRAY_EXIT);
  ASSERT_TRUE(session.App().WaitForExit(5000));
  EXPECT_EQ(0u, session.App().ExitCode());
  EXPECT_EQ(1u, Count(NvCall::NV_Stop)) << "the library stopped once";
  EXPECT_GE(WaitFor([&] { return TrayIconCount() == icons - 1; }, 2000), 0) << "the icon went with the window";
}

}  // namespace
}  // namespace tarnel::test
