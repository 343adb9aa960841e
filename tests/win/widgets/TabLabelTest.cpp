// Tab clicks: the tab label receives its own click back from the main window and selects the
// page whose tab caption matches its text, among the first PageCount tabs.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/Dialog.h"
#include "resource.h"
#include "widgets/BitmapLabel.h"
#include "widgets/PageHost.h"

using namespace tarnel;

namespace {

constexpr int kTabs = 4;

// The main window's template with its four tab labels; records the pages it is asked for.
class TabHost : public CPageHost {
 public:
  TabHost() : CPageHost(IDD_MAIN) {}
  ~TabHost() override { DestroyWindow(); }
  int PageCount() const override { return pageCount; }
  void SelectPage(int k) override { selected.push_back(k); }
  void DoDataExchange(CDataExchange* dx) override {
    for (int i = 0; i < kTabs; ++i) DDX_Control(dx, IDC_TAB_LINK_INFO + i, tabs[i]);
  }
  void Click(int tab) { ::SendMessageA(tabs[tab].m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }

  CTabLabel tabs[kTabs];
  int pageCount = kTabs;
  std::vector<int> selected;
};

TEST(TabLabel, ClickSelectsThePageWhoseCaptionMatches) {
  TabHost host;
  ASSERT_TRUE(host.Create(nullptr));
  for (int i = 0; i < kTabs; ++i) host.Click(i);
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), host.selected);

  // By caption, not by control: the first tab with the same text wins.
  host.selected.clear();
  ::SetWindowTextA(host.tabs[3].m_hWnd, "Encryption");
  host.Click(3);
  EXPECT_EQ((std::vector<int>{2}), host.selected);

  // A tab always finds its own caption when it is among the candidates; with the fourth tab
  // left out, case matters and a caption no candidate has selects nothing.
  host.selected.clear();
  host.pageCount = 3;
  for (const char* text : {"encryption", "Elsewhere", "Encryption"}) {
    ::SetWindowTextA(host.tabs[3].m_hWnd, text);
    host.Click(3);
  }
  EXPECT_EQ((std::vector<int>{2}), host.selected);
}

TEST(TabLabel, OnlyTabsBelowPageCountAreCandidates) {
  TabHost host;
  host.pageCount = 1;
  ASSERT_TRUE(host.Create(nullptr));
  for (int i = 0; i < kTabs; ++i) host.Click(i);
  EXPECT_EQ((std::vector<int>{0}), host.selected) << "with one page only \"Link Info\" selects";

  host.selected.clear();
  host.pageCount = 0;
  host.Click(0);
  EXPECT_TRUE(host.selected.empty());
}

TEST(TabLabel, ParentThatIsNoPageHostIsLeftAlone) {
  class PlainDialog : public CDialog {
   public:
    PlainDialog() : CDialog(IDD_MAIN) {}
    ~PlainDialog() override { DestroyWindow(); }
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TAB_LINK_INFO, tab); }
    CTabLabel tab;
  } dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  ::SendMessageA(dialog.tab.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);  // must simply do nothing
  EXPECT_TRUE(::IsWindow(dialog.m_hWnd));

  // A label whose window has no parent at all.
  CTabLabel orphan;
  orphan.OnClicked();
}

}  // namespace
