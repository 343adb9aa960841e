// The page set: one or four pages by the wireless-configuration mode, tab selection, and the
// 500 ms watch that rebuilds the pages when the mode changes.
#include <algorithm>

#include "MainWindowFixture.h"

namespace tarnel::test {
namespace {

using Indices = std::vector<int>;

CLinkInfoPage* LinkPage(CTarnel_UIDlg& window) { return dynamic_cast<CLinkInfoPage*>(window.PageTable(0)); }

std::string StatusField(CTarnel_UIDlg& window) {
  return CWnd::GetWindowText(::GetDlgItem(window.PageTable(0)->m_hWnd, IDC_STATUS));
}

TEST_F(MainWindowTest, FourPagesBesideTheVersionPanelWithPageZeroInFront) {
  Open();
  // The panel reads the driver's version before the mode is asked, once; the pages may read
  // status while they initialise, but creating them sets nothing.
  ASSERT_LE(2u, driver.Calls().size());
  const Calls first(driver.Calls().begin(), driver.Calls().begin() + 2);
  EXPECT_EQ((Calls{"NV_GetStatusDriverInfo()", "NV_IsXPConfig()"}), first);
  EXPECT_EQ(1, std::count(driver.Calls().begin(), driver.Calls().end(), "NV_IsXPConfig()"));
  EXPECT_EQ(Calls{}, driver.NonPollingCalls());
  EXPECT_EQ(4, window.PageCount());
  EXPECT_EQ(0, window.CurrentPage());
  EXPECT_TRUE(window.AdapterReady);
  EXPECT_EQ((Indices{0}), VisiblePages());
  EXPECT_EQ((Indices{0, 1, 2, 3}), VisibleTabs());
  EXPECT_EQ((Indices{kSelectedFaceWidth, kPlainFaceWidth, kPlainFaceWidth, kPlainFaceWidth}), Faces());

  // The panel sits at the anchor control's corner, every page right of it at the same height.
  RECT anchor, panel;
  ::GetWindowRect(window.GetDlgItem(IDC_PANEL_ANCHOR), &anchor);
  HWND versionPanel = window.VersionPanel().m_hWnd;
  ASSERT_TRUE(::IsWindowVisible(versionPanel));
  ::GetWindowRect(versionPanel, &panel);
  EXPECT_EQ(anchor.left, panel.left);
  EXPECT_EQ(anchor.top, panel.top);
  for (int i = 0; i < 4; ++i) {
    RECT page;
    ::GetWindowRect(Page(i), &page);
    EXPECT_EQ(panel.right, page.left) << "page " << i;
    EXPECT_EQ(anchor.top, page.top) << "page " << i;
    EXPECT_EQ(Main(), ::GetParent(Page(i)));
  }
}

TEST_F(MainWindowTest, UnderTheSystemsWirelessConfigurationOnlyLinkInfoExists) {
  Open(true);
  EXPECT_EQ(1, window.PageCount());
  EXPECT_EQ(nullptr, window.PageTable(1));
  EXPECT_EQ((Indices{0}), VisibleTabs());
  EXPECT_EQ((Indices{0}), VisiblePages());
  EXPECT_EQ("Link Info", CWnd::GetWindowText(Tab(0)));
  ClickTab(2);  // hidden, and beyond PageCount: nothing happens
  EXPECT_EQ(0, window.CurrentPage());
}

TEST_F(MainWindowTest, TabClicksBringTheirPageToTheFront) {
  Open();
  for (int k : {2, 3, 1, 0, 3}) {
    ClickTab(k);
    EXPECT_EQ(k, window.CurrentPage());
    EXPECT_EQ((Indices{k}), VisiblePages()) << "after tab " << k;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(i == k ? kSelectedFaceWidth : kPlainFaceWidth, FaceWidth(i)) << "tab " << i << " after " << k;
  }
  window.SelectPage(4);  // no such page
  window.SelectPage(-1);
  EXPECT_EQ(3, window.CurrentPage());
}

TEST_F(MainWindowTest, SelectingThePageInFrontRedrawsItsTabButDoesNotActivateIt) {
  Open();
  // Activation transfers the page's values to its fields, except at the page's first activation.
  window.SelectPage(1);
  window.SelectPage(0);
  LinkPage(window)->m_status = "activated";

  ::UpdateWindow(Tab(0));
  window.SelectPage(0);
  EXPECT_EQ("", StatusField(window)) << "no activation for the page in front";
  EXPECT_TRUE(::GetUpdateRect(Tab(0), nullptr, FALSE)) << "its tab is invalidated";
  EXPECT_EQ(kSelectedFaceWidth, FaceWidth(0));

  window.SelectPage(1);
  window.SelectPage(0);
  EXPECT_EQ("activated", StatusField(window));
}

TEST_F(MainWindowTest, FirstTickOnlyRecordsTheMode) {
  Open();
  driver.ClearCalls();
  driver.xpConfig = 1;  // changed before the first tick: not seen as a change
  Tick();
  EXPECT_EQ((Calls{"NV_IsXPConfig()", "NV_IsXPConfig()"}), driver.Calls());
  EXPECT_EQ(4, window.PageCount());
  Tick();
  EXPECT_EQ(4, window.PageCount());

  // The recorded mode is "XP" although four pages stand: going back counts as a change.
  ::SetDlgItemTextA(Page(0), IDC_STATUS, "typed before the change");
  driver.xpConfig = 0;
  Tick();
  EXPECT_EQ(4, window.PageCount());
  EXPECT_EQ("", StatusField(window)) << "the pages were built again";
}

TEST_F(MainWindowTest, ModeChangeRebuildsThePagesWithPageZeroInFront) {
  Open();
  Tick();  // records "not XP"
  window.SelectPage(2);
  ::SetDlgItemTextA(Page(0), IDC_STATUS, "typed before the change");

  driver.ClearCalls();
  driver.xpConfig = 1;
  Tick();
  EXPECT_EQ((Calls{"NV_IsXPConfig()", "NV_GetStatusDriverInfo()", "NV_IsXPConfig()"}), driver.Calls());
  EXPECT_EQ(1, window.PageCount());
  EXPECT_EQ(0, window.CurrentPage());
  EXPECT_EQ((Indices{0}), VisibleTabs());
  EXPECT_EQ((Indices{0}), VisiblePages());
  EXPECT_EQ(kSelectedFaceWidth, FaceWidth(0));
  EXPECT_TRUE(::IsWindowVisible(window.VersionPanel().m_hWnd));
  EXPECT_EQ("", StatusField(window)) << "a new page window";
  EXPECT_TRUE(TakeTimer(Page(0), CLinkInfoPage::kTimerId)) << "the new link page polls";

  Tick();  // same mode: nothing
  EXPECT_EQ(1, window.PageCount());

  driver.xpConfig = 0;
  Tick();
  EXPECT_EQ(4, window.PageCount());
  EXPECT_EQ(0, window.CurrentPage());
  EXPECT_EQ((Indices{0, 1, 2, 3}), VisibleTabs());
  EXPECT_EQ((Indices{0}), VisiblePages());
  EXPECT_EQ((Indices{kSelectedFaceWidth, kPlainFaceWidth, kPlainFaceWidth, kPlainFaceWidth}), Faces());
}

TEST_F(MainWindowTest, TickDoesNothingWhileTheAdapterIsNotReady) {
  Open();
  Tick();
  window.AdapterReady = FALSE;
  driver.ClearCalls();
  driver.xpConfig = 1;
  Tick();
  EXPECT_EQ(Calls{}, driver.Calls());
  EXPECT_EQ(4, window.PageCount());
}

TEST_F(MainWindowTest, RealTimerFollowsTheModeWithinAboutATick) {
  Open();
  Pump(700);  // the first tick at 500 ms records the mode
  driver.xpConfig = 1;
  const DWORD start = ::GetTickCount();
  while (window.PageCount() != 1 && ::GetTickCount() - start < 2000) Pump(20);
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_EQ(1, window.PageCount());
  EXPECT_LE(elapsed, 800u) << "got " << elapsed << " ms";
}

TEST_F(MainWindowTest, PagesCanBeBuiltAgainAfterTheWindowIsCreatedAgain) {
  Open();
  window.DestroyWindow();
  EXPECT_EQ(0, window.PageCount());
  EXPECT_EQ(-1, window.CurrentPage());
  Open();
  EXPECT_EQ(4, window.PageCount());
  EXPECT_EQ((Indices{0}), VisiblePages());
}

}  // namespace
}  // namespace tarnel::test
