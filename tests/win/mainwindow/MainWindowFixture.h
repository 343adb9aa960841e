// The main window created modelessly over the scripted driver, with helpers to read what it
// shows: which pages and tabs are visible, which face each tab wears, which timers run.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostedMainWindow.h"
#include "framework/PlatformFamily.h"
#include "widgets/BitmapLabel.h"

namespace tarnel::test {

constexpr int kTabIds[] = {IDC_TAB_LINK_INFO, IDC_TAB_CONFIGURATION, IDC_TAB_ENCRYPTION,
                           IDC_TAB_SITE_SURVEY};
// Widths of the tab faces: bitmap 121 (page in front) and bitmap 120 (the others).
constexpr int kSelectedFaceWidth = 99;
constexpr int kPlainFaceWidth = 98;

class MainWindowTest : public MainWindowHost {
 protected:
  void TearDown() override {
    MainWindowHost::TearDown();
    ForcePlatformFamily(-1);
  }

  void Open(bool xpConfig = false) {
    driver.xpConfig = xpConfig;
    ASSERT_TRUE(window.Create(nullptr));
    ASSERT_TRUE(::IsWindowVisible(window.m_hWnd));
  }

  HWND Tab(int i) const { return window.GetDlgItem(kTabIds[i]); }
  HWND Page(int i) const {
    CPropertyPage* page = window.PageTable(i);
    return page ? page->m_hWnd : nullptr;
  }

  // Width of the face a tab wears, 0 for none.
  int FaceWidth(int i) const {
    auto* label = dynamic_cast<CBitmapLabel*>(CWnd::FromHandle(Tab(i)));
    BITMAP info = {};
    if (!label || !::GetObjectA(label->BackgroundBitmap(), sizeof(info), &info)) return 0;
    return info.bmWidth;
  }

  // Indices of the visible pages and tabs.
  std::vector<int> VisiblePages() const {
    std::vector<int> shown;
    for (int i = 0; i < window.PageCount(); ++i)
      if (::IsWindowVisible(Page(i))) shown.push_back(i);
    return shown;
  }
  std::vector<int> VisibleTabs() const {
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i)
      if (::IsWindowVisible(Tab(i))) shown.push_back(i);
    return shown;
  }
  std::vector<int> Faces() const {
    std::vector<int> widths;
    for (int i = 0; i < window.PageCount(); ++i) widths.push_back(FaceWidth(i));
    return widths;
  }

  // True when the window had the timer; it is stopped either way.
  static bool TakeTimer(HWND hwnd, UINT_PTR id) { return hwnd && ::KillTimer(hwnd, id); }

  void Tick() { ::SendMessageA(Main(), WM_TIMER, CTarnel_UIDlg::kModeTimerId, 0); }

  // A tab click as the tab label's parent receives it.
  void ClickTab(int i) {
    ::SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(kTabIds[i], STN_CLICKED), reinterpret_cast<LPARAM>(Tab(i)));
  }
};

}  // namespace tarnel::test
