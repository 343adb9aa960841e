// The page over time: the survey 500 ms after activation, and the icon list across the
// page's windows.
#include "SurveyTestSupport.h"

namespace tarnel::test {
namespace {

TEST_F(SurveyPageTest, TimerTickStopsTheTimerAndSurveysOnce) {
  driver.survey = {Network("Home")};
  page.OnSetActive();
  ::SendMessageA(page.m_hWnd, WM_TIMER, CSiteSurveyPage::kTimerId, 0);
  EXPECT_EQ(Calls{"NV_SiteSurvey()"}, driver.Calls());
  EXPECT_EQ(1, RowCount(List()));
  EXPECT_FALSE(::KillTimer(page.m_hWnd, CSiteSurveyPage::kTimerId)) << "stopped at its first tick";
}

// Real time: a second activation within the delay restarts it, so one survey runs, 500 ms
// after the last activation.
TEST_F(SurveyPageTest, TwoActivationsWithinTheDelayRunOneSurvey) {
  std::vector<DWORD> surveyedAt;
  driver.onCall = [&](const std::string& call) {
    if (call == "NV_SiteSurvey()") surveyedAt.push_back(::GetTickCount());
  };
  page.OnSetActive();
  Pump(250);
  const DWORD lastActivation = ::GetTickCount();
  page.OnSetActive();
  Pump(1300);
  ASSERT_EQ(1u, surveyedAt.size());
  EXPECT_GE(surveyedAt[0] - lastActivation, 480u);
}

TEST_F(SurveyPageTest, StoppedTimerRunsNoSurvey) {
  page.OnSetActive();
  ::KillTimer(page.m_hWnd, CSiteSurveyPage::kTimerId);  // as the main window's StopPageTimers does
  Pump(700);
  EXPECT_EQ(Calls{}, driver.Calls());
}

// The list view destroys the icon list it holds when it goes; the page owns that list, so
// the list view must hold none by then, and every window of the page has its own list.
TEST_F(SurveyPageTest, IconListGoesWithThePageWindowOnce) {
  static HIMAGELIST heldAtDestroy;
  static WNDPROC listProc;
  struct Spy {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
      if (msg == WM_DESTROY)
        heldAtDestroy = reinterpret_cast<HIMAGELIST>(::CallWindowProcA(listProc, hwnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
      return ::CallWindowProcA(listProc, hwnd, msg, wParam, lParam);
    }
  };
  const long before = ImageList::Live() - 1;  // the page's own list is alive now
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(before + 1, ImageList::Live());
    auto icons = reinterpret_cast<HIMAGELIST>(::SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_TRUE(icons);
    EXPECT_EQ(2, ImageList_GetImageCount(icons)) << "round " << round;

    heldAtDestroy = reinterpret_cast<HIMAGELIST>(1);
    listProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(List(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Spy::Proc)));
    page.DestroyWindow();
    EXPECT_EQ(nullptr, heldAtDestroy) << "round " << round;
    EXPECT_EQ(before, ImageList::Live());
    ASSERT_TRUE(page.Create(&host));
  }
}

}  // namespace
}  // namespace tarnel::test
