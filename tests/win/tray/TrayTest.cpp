// The notification-area icon of the real main window over the scripted driver: its image,
// its menu, its mouse input and the menu's commands.
#include <algorithm>
#include <string>
#include <vector>

#include "HostedMainWindow.h"
#include "StoreFixture.h"
#include "E2eControls.h"
#include "TrayImage.h"
#include "app/TrayMenu.h"
#include "framework/Gdi.h"
#include "framework/ShellVersion.h"
#include "profiles/ProfileGlobals.h"

namespace tarnel::test {
namespace {

constexpr UINT kIcon = CTrayIcon::kIconId;
using Texts = std::vector<std::string>;
using Greys = std::vector<bool>;
// The three items first, in their places; what the utility added follows a separator.
const Texts kRadioOffMenu = {"IEEE 802.11b WLAN Cardbus &Utility", "E&xit", "Radio ON", "", "&Profiles",
                             "Show &Notices", "Link &Monitor"};
const Texts kRadioOnMenu = {"IEEE 802.11b WLAN Cardbus &Utility", "E&xit", "Radio OFF", "", "&Profiles",
                            "Show &Notices", "Link &Monitor"};
// A separator reads as greyed; what needs the radio is greyed while it is off. "Profiles" is
// greyed with no profiles stored, as here.
Greys MenuGreys(bool radioOff) { return {radioOff, false, false, true, true, false, radioOff}; }
constexpr int kProfilesPlace = 4;
constexpr int kNoticesPlace = 5;
// While the adapter is away: a greyed line that says so, and the way out.
const Texts kAwayMenu = {"Adapter not present", "E&xit"};
const Greys kAwayGreys = {true, false};

// What a menu holds, read by position.
struct MenuView {
  bool seen = false;
  Texts texts;
  Greys greyed;
  Texts profiles;  // the "Profiles" submenu
  std::vector<bool> itemChecked;
  std::vector<bool> checked;
  UINT defaultItem = static_cast<UINT>(-1);
  bool ownerVisible = false;  // while the menu was open
};

MenuView Read(HMENU menu) {
  MenuView view;
  view.seen = true;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    view.texts.push_back(text);
    view.greyed.push_back((::GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) != 0);
    view.itemChecked.push_back((::GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) != 0);
  }
  view.defaultItem = ::GetMenuDefaultItem(menu, TRUE, GMDI_USEDISABLED);
  HMENU profiles = ::GetSubMenu(menu, kProfilesPlace);
  for (int i = 0; profiles && i < ::GetMenuItemCount(profiles); ++i) {
    char text[300] = {};
    ::GetMenuStringA(profiles, i, text, sizeof(text), MF_BYPOSITION);
    view.profiles.push_back(text);
    view.checked.push_back((::GetMenuState(profiles, i, MF_BYPOSITION) & MF_CHECKED) != 0);
  }
  return view;
}

bool ShellHasIcon(HWND owner, UINT id) {
  NOTIFYICONDATAA record = MakeTrayRecord(owner, id, 0);
  return ::Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

// Watches this thread's window messages: reads a pop-up menu as it opens on the owner, then
// closes it (or chooses the item with the given mnemonic) from a timer inside the menu's loop;
// asks the shell for the owner's icon as the owner gets its last message.
class Watch {
 public:
  explicit Watch(HWND owner, char mnemonic = 0) {
    s_owner = owner;
    s_mnemonic = mnemonic;
    s_menu = MenuView();
    s_iconAtEnd = -1;
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &Watch::Hook, nullptr, ::GetCurrentThreadId());
    m_timer = ::SetTimer(nullptr, 0, 150, &Watch::CloseMenu);
  }
  ~Watch() {
    ::KillTimer(nullptr, m_timer);
    ::UnhookWindowsHookEx(m_hook);
  }
  const MenuView& Menu() const { return s_menu; }
  // 1 the icon was still there, 0 it was gone, -1 the window was not destroyed.
  int IconAtEnd() const { return s_iconAtEnd; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == s_owner) {
      if (message->message == WM_INITMENUPOPUP) {
        s_menu = Read(reinterpret_cast<HMENU>(message->wParam));
        s_menu.ownerVisible = ::IsWindowVisible(s_owner) != FALSE;
      } else if (message->message == WM_NCDESTROY) {
        s_iconAtEnd = ShellHasIcon(s_owner, kIcon) ? 1 : 0;
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (!s_menu.seen) return;
    if (s_mnemonic) {
      ::PostMessageA(s_owner, WM_CHAR, s_mnemonic, 0);
      s_mnemonic = 0;
    } else {
      ::EndMenu();
    }
  }

  static inline HWND s_owner = nullptr;
  static inline char s_mnemonic = 0;
  static inline MenuView s_menu;
  static inline int s_iconAtEnd = -1;
  HHOOK m_hook;
  UINT_PTR m_timer;
};

class TrayTest : public HostedMainWindow {
 protected:
  CTrayIcon& Tray() { return window.TrayIcon(); }
  void Notify(UINT id, UINT mouseMessage) { ::SendMessageA(Main(), WM_TRAY_NOTIFY, id, mouseMessage); }
  void Command(UINT id) { ::SendMessageA(Main(), WM_COMMAND, id, 0); }
  void HideMinimised() {
    window.ShowWindow(SW_MINIMIZE);
    window.ShowWindow(SW_HIDE);
  }
  // Opens the menu, chooses "Exit" by its mnemonic and runs the command it sends: a close request.
  void ExitByMnemonic() {
    Watch watch(Main(), 'x');
    Notify(kIcon, WM_RBUTTONUP);
    ASSERT_TRUE(watch.Menu().seen);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, Main(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(ID_TRAY_EXIT), msg.wParam);
    ::DispatchMessageA(&msg);
    EXPECT_TRUE(TakePosted(WM_CLOSE));
  }
  bool TakePosted(UINT msg) {
    MSG taken;
    return ::PeekMessageA(&taken, Main(), msg, msg, PM_REMOVE) != FALSE;
  }
};

TEST_F(TrayTest, TheIconComesWithTheWindowShowingNoLinkAndGoesWithIt) {
  EXPECT_TRUE(ShellHasIcon(Main(), kIcon));
  EXPECT_EQ(static_cast<UINT>(IDI_TRAY_NOLINK), Tray().Image());
  // Asked while the window is being destroyed: the shell forgets the icons of windows that
  // are gone, so asking afterwards would prove nothing.
  Watch watch(Main());
  window.DestroyWindow();
  EXPECT_EQ(0, watch.IconAtEnd()) << "removed before the window's last message";
}

TEST_F(TrayTest, TheImageFollowsTheWeakerFigureAndIsSetEvenWhenUnchanged) {
  struct Row {
    uint32_t signal, quality;
    UINT image;
    int calls;  // SetTrayIcon calls this report makes
  } rows[] = {
      {80, 20, IDI_TRAY_WEAK, 1},    {0, 0, IDI_TRAY_NOLINK, 1},    {45, 90, IDI_TRAY_MEDIUM, 1},
      {100, 60, IDI_TRAY_STRONG, 1}, {150, 70, IDI_TRAY_STRONG, 1}, {150, 150, IDI_TRAY_STRONG, 0},
  };
  window.AdapterReady = FALSE;  // reports count all the same
  for (const Row& row : rows) {
    const int before = Tray().ImageCalls();
    ::SendMessageA(Main(), WM_LINK_STATUS, row.signal << 16 | row.quality, 0);
    EXPECT_EQ(row.image, Tray().Image()) << row.signal << "/" << row.quality;
    EXPECT_EQ(row.calls, Tray().ImageCalls() - before) << row.signal << "/" << row.quality;
    EXPECT_TRUE(Tray().LastAnswer()) << "the shell took it";
  }
}

TEST_F(TrayTest, TheMenuNamesTheRadioActionAndGreysOpenWhileTheRadioIsOff) {
  const long menusBefore = LiveGdiCounts().menus;
  for (bool radioOff : {true, false}) {
    CTrayMenu menu(radioOff, radioOff);
    MenuView view = Read(menu.Popup());
    EXPECT_EQ(radioOff ? kRadioOffMenu : kRadioOnMenu, view.texts);
    EXPECT_EQ(MenuGreys(radioOff), view.greyed);
    EXPECT_EQ(radioOff, view.itemChecked.at(kNoticesPlace)) << "Show Notices checked while notices are on";
    EXPECT_EQ(0u, view.defaultItem);
    EXPECT_EQ(static_cast<UINT>(ID_TRAY_RADIO), ::GetMenuItemID(menu.Popup(), 2));
  }
  {
    CTrayMenu away{CTrayMenu::AdapterAway{}};
    EXPECT_EQ(kAwayMenu, Read(away.Popup()).texts);
    EXPECT_EQ(kAwayGreys, Read(away.Popup()).greyed);
    EXPECT_EQ(static_cast<UINT>(ID_TRAY_EXIT), ::GetMenuItemID(away.Popup(), 1));
  }
  EXPECT_EQ(menusBefore, LiveGdiCounts().menus) << "released with its object";
}

TEST_F(TrayTest, TheProfilesSubmenuListsWhatItIsGivenWithTheCurrentOneCheckedOrIsGreyedAndEmpty) {
  const TrayProfiles few = {{"Home", "Office & Co"}, false};
  const TrayProfiles none;
  const struct {
    const char* what;
    bool radioOff;
    const TrayProfiles* profiles;
    Texts texts;
    std::vector<bool> checked;
  } cases[] = {
      {"a few, current in another letter case", false, &few, {"Home", "Office && Co"}, {false, true}},
      {"radio off", true, &few, {}, {}},
      {"the system's own configuration", false, nullptr, {}, {}},
      {"no profile stored", false, &none, {}, {}},
  };
  for (const auto& c : cases) {
    CTrayMenu menu(c.radioOff, true, c.profiles, "office & co");
    const MenuView view = Read(menu.Popup());
    EXPECT_EQ(c.texts, view.profiles) << c.what;
    EXPECT_EQ(c.checked, view.checked) << c.what;
    EXPECT_EQ(c.texts.empty(), view.greyed[kProfilesPlace]) << c.what;
    for (int i = 0; i < static_cast<int>(c.texts.size()); ++i)
      EXPECT_EQ(static_cast<UINT>(ID_TRAY_PROFILE_FIRST + i), ::GetMenuItemID(menu.ProfilesMenu(), i)) << c.what;
  }
}

TEST_F(TrayTest, RightClickOpensTheMenuAndTiesTheWindowToTheRadio) {
  for (NvFlag radioOff : {1, 0}) {
    HideMinimised();
    driver.radioOff = radioOff;
    driver.ClearCalls();
    const long menusBefore = LiveGdiCounts().menus;
    Watch watch(Main());
    Notify(kIcon, WM_RBUTTONUP);
    ASSERT_TRUE(watch.Menu().seen) << "the menu opened on the main window";
    EXPECT_EQ(radioOff ? kRadioOffMenu : kRadioOnMenu, watch.Menu().texts);
    EXPECT_EQ(MenuGreys(radioOff != 0), watch.Menu().greyed);
    EXPECT_EQ(!radioOff, watch.Menu().ownerVisible);
    EXPECT_EQ(!radioOff, Visible());
    EXPECT_TRUE(::IsIconic(Main())) << "a plain show, no restore";
    EXPECT_EQ(menusBefore, LiveGdiCounts().menus);
    EXPECT_EQ(Calls{"NV_GetIsRadioOff()"}, driver.Calls());
  }
}

TEST_F(TrayTest, ChoosingFromTheMenuCommandsTheMainWindow) { ExitByMnemonic(); }

TEST_F(TrayTest, DoubleClickSwitchesTheRadioOnAndBringsTheWindowToTheFront) {
  for (NvFlag radioOff : {1, 0}) {
    HideMinimised();
    driver.radioOff = radioOff;
    driver.ClearCalls();
    Notify(kIcon, WM_LBUTTONDBLCLK);
    EXPECT_EQ(radioOff ? (Calls{"NV_GetIsRadioOff()", "NV_SetRadioOff(0)"}) : Calls{"NV_GetIsRadioOff()"},
              driver.Calls());
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(::IsIconic(Main()));
    EXPECT_EQ(Main(), ::GetForegroundWindow());
  }
}

// The icon of a program whose adapter is away can still end it, and asks the stopped library nothing.
TEST_F(TrayTest, WhileTheAdapterIsAwayARightClickOffersExitAndADoubleClickDoesNothing) {
  window.ShowWindow(SW_HIDE);
  window.AdapterReady = FALSE;
  Notify(kIcon, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(Visible());
  {
    Watch look(Main());
    Notify(kIcon, WM_RBUTTONUP);
    EXPECT_EQ(kAwayMenu, look.Menu().texts);
    EXPECT_EQ(kAwayGreys, look.Menu().greyed);
    EXPECT_FALSE(look.Menu().ownerVisible) << "the window stays hidden";
  }
  // Chosen by its mnemonic; the menu's loop takes keys only with its owner shown.
  window.ShowWindow(SW_SHOW);
  ExitByMnemonic();
  EXPECT_EQ(Calls{}, driver.Calls());
}

// The tip says the link on its second line, changes with the report that changes the picture,
// and is not sent again while its text stays.
TEST_F(TrayTest, TheTipFollowsTheLinkInThePicturesCall) {
  const auto tickAndReport = [&] {
    Tick();
    for (WPARAM status : TakeLinkStatus()) ::SendMessageA(Main(), WM_LINK_STATUS, status, 0);
  };
  const std::string title = "IEEE 802.11b WLAN Cardbus Utility\n";
  EXPECT_EQ("IEEE 802.11b WLAN Cardbus Utility", Tray().Tip()) << "the title alone until the first tick";
  Associate(57, 80);
  int tips = Tray().TipCalls(), images = Tray().ImageCalls();
  tickAndReport();
  EXPECT_EQ(title + "HomeNet, signal 57%, quality 80%", Tray().Tip());
  EXPECT_EQ(tips + 1, Tray().TipCalls());
  EXPECT_EQ(images + 1, Tray().ImageCalls()) << "the tip went with the picture";
  tickAndReport();
  EXPECT_EQ(tips + 1, Tray().TipCalls()) << "unchanged text is not sent again";
  EXPECT_EQ(images + 2, Tray().ImageCalls());

  driver.radioOff = 1;
  tickAndReport();
  EXPECT_EQ(title + "Radio off", Tray().Tip());
  EXPECT_TRUE(ShellHasIcon(Main(), kIcon));
}

TEST_F(TrayTest, MouseInputIsIgnoredWhileTheAdapterIsNotReadyForOtherIconsAndOtherButtons) {
  struct Case {
    BOOL ready;
    UINT id;
    std::vector<UINT> mice;
  } cases[] = {
      {FALSE, kIcon, {WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_MOUSEMOVE}},
      {TRUE, kIcon + 1, {WM_RBUTTONUP, WM_LBUTTONDBLCLK}},
      {TRUE, kIcon, {WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONDBLCLK}},
  };
  window.ShowWindow(SW_HIDE);
  driver.radioOff = 1;
  for (const Case& c : cases) {
    window.AdapterReady = c.ready;
    Watch watch(Main());
    for (UINT mouse : c.mice) Notify(c.id, mouse);
    EXPECT_FALSE(watch.Menu().seen) << "no menu";
    EXPECT_EQ(Calls{}, driver.Calls());
    EXPECT_FALSE(Visible());
  }
}

TEST_F(TrayTest, MenuCommandsSwitchTheRadioOpenAndClose) {
  driver.radioOff = 0;
  Command(ID_TRAY_RADIO);
  driver.radioOff = 1;
  Command(ID_TRAY_RADIO);
  EXPECT_EQ((Calls{"NV_GetIsRadioOff()", "NV_SetRadioOff(1)", "NV_GetIsRadioOff()", "NV_SetRadioOff(0)"}),
            driver.Calls());

  HideMinimised();
  Command(ID_TRAY_OPEN);
  EXPECT_TRUE(Visible());
  EXPECT_FALSE(::IsIconic(Main()));

  EXPECT_FALSE(TakePosted(WM_CLOSE));
  Command(ID_TRAY_EXIT);
  EXPECT_TRUE(TakePosted(WM_CLOSE));
}

TEST_F(TrayTest, TheShellTakesALongTipAndTheRecordHasTheSecondFormsSize) {
#ifndef _WIN64
  EXPECT_EQ(488u, MakeTrayRecord(Main(), kIcon, 0).cbSize) << "the record's second form on 32-bit";
#endif
  const std::string tip(300, 't');  // cut to 127 characters on the way
  EXPECT_TRUE(Tray().AddTrayIcon(kIcon + 1, IDI_TRAY_STRONG, tip.c_str()));
  EXPECT_TRUE(ShellHasIcon(Main(), kIcon + 1));
  EXPECT_TRUE(Tray().DeleteTrayIcon(kIcon + 1));
  EXPECT_FALSE(ShellHasIcon(Main(), kIcon + 1));
  EXPECT_TRUE(ShellHasIcon(Main(), kIcon)) << "the window's own icon stays";
}

// A shell older than 5.0 (Windows 98 SE's is 4.72) takes only the record's first form, shows a
// one-line tip and no balloons: the icon and its tip go on, nothing is sent for a notice, and the
// menu's "Show Notices" is greyed.
TEST_F(TrayTest, AShellBeforeBalloonsGetsTheFirstRecordFormAndNoNotices) {
  struct OldShell {
    OldShell() { ForceShellMajorVersion(4); }
    ~OldShell() { ForceShellMajorVersion(0); }
  } oldShell;
  EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), MakeTrayRecord(Main(), kIcon, 0).cbSize);
  Associate(57, 80);
  Tick();
  for (WPARAM status : TakeLinkStatus()) ::SendMessageA(Main(), WM_LINK_STATUS, status, 0);
  EXPECT_TRUE(Tray().LastAnswer()) << "the shell took the picture and tip";
  EXPECT_TRUE(ShellHasIcon(Main(), kIcon));
  EXPECT_FALSE(Tray().ShowBalloon("Link lost", "HomeNet", true));
  EXPECT_LT(WaitFor([] { return !ShownTipText(true).empty(); }, 1000), 0) << "no balloon shows";

  Watch watch(Main());
  Notify(kIcon, WM_RBUTTONUP);
  ASSERT_TRUE(watch.Menu().seen);
  EXPECT_TRUE(watch.Menu().greyed[kNoticesPlace]);
  EXPECT_FALSE(watch.Menu().itemChecked[kNoticesPlace]);
}

// The menu's profiles come from the store.
class TrayProfilesTest : public TrayTest {
 protected:
  StoreFixture store{"0927"};
};

TEST_F(TrayProfilesTest, ChoosingAProfileSwitchesAsTheListDoesAndCountsAsTheUsersOwnAct) {
  ASSERT_TRUE(store.Ready());
  store.AddProfile("Home", "home", true);
  store.AddProfile("Office", "office", true);
  store.SetCurrent("home");
  window.AutoConnection().ReloadProfiles();
  Watch watch(Main());
  Notify(kIcon, WM_RBUTTONUP);
  ASSERT_TRUE(watch.Menu().seen);
  EXPECT_EQ((Texts{"Home", "Office"}), watch.Menu().profiles);
  EXPECT_EQ((std::vector<bool>{true, false}), watch.Menu().checked);
  EXPECT_FALSE(watch.Menu().greyed[kProfilesPlace]);

  driver.ClearCalls();
  Command(ID_TRAY_PROFILE_FIRST + 1);  // as the menu sends it, after it closed
  EXPECT_EQ("Office", store.Current());
  EXPECT_EQ("Office", CurrentProfileName);
  const Calls calls = driver.NonPollingCalls();
  EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "NV_SetSSID(office)"));
  EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "NV_SetPrivacy(0,64)")) << "both halves";

  // No link from Office: the automatic connection leaves the user's choice alone for 30 s.
  driver.ClearCalls();
  uint32_t clock = 1000;
  LinkReading lost;
  lost.linkState = NV_LINK_SCANNING;
  FeedReadings(window, &clock, 29700, lost);
  EXPECT_EQ(Calls{}, driver.NonPollingCalls());
  FeedReadings(window, &clock, 600, lost);
  EXPECT_EQ(Calls{"NV_SiteSurvey()"}, driver.NonPollingCalls())
      << "30 s from the first reading after the choice it looks (nothing in range here)";
}

TEST_F(TrayProfilesTest, PastSixteenTheMostRecentlyCurrentAndAllProfilesOpensTheConfigurationPage) {
  ASSERT_TRUE(store.Ready());
  // Two digits: the list's order is the registry's, by name under Wine.
  const auto name = [](int i) { return std::string(i < 10 ? "P0" : "P") + std::to_string(i); };
  for (int i = 0; i < 20; ++i) store.AddProfile(name(i), "net", false);
  store.SetRecent({"P19", "P02"});
  store.SetCurrent("P02");
  Watch watch(Main());
  Notify(kIcon, WM_RBUTTONUP);
  ASSERT_TRUE(watch.Menu().seen);
  Texts expected = {"P19", "P02", "P00", "P01"};
  for (int i = 3; expected.size() < 16; ++i) expected.push_back(name(i));
  expected.insert(expected.end(), {"", "All profiles..."});
  EXPECT_EQ(expected, watch.Menu().profiles);
  EXPECT_TRUE(watch.Menu().checked[1]);

  HideMinimised();
  Command(ID_TRAY_ALL_PROFILES);
  EXPECT_TRUE(Visible());
  EXPECT_EQ(CTarnel_UIDlg::kConfigPageIndex, window.CurrentPage());
  EXPECT_EQ(window.PageTable(CTarnel_UIDlg::kConfigPageIndex)->GetDlgItem(IDC_PROFILE_LIST), ::GetFocus());
}

}  // namespace
}  // namespace tarnel::test
