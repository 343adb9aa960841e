// Caption and tab labels: transparent text over the parent, the owner's bitmap stretched
// under it, one clipped line, the control's font, and text changes drawn by the label itself.
#include <windows.h>

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "widgets/BitmapLabel.h"

using namespace tarnel;
using widgettest::Capture;
using widgettest::kMarker;

namespace {

class LabelFixture : public ::testing::Test {
 protected:
  // A label control of the given size, bound to label.
  void Bind(CBitmapLabel& label, const char* text, int width, int height, int y = 20) {
    HWND hwnd = host.AddChild("STATIC", text, SS_LEFT, 20, y, width, height);
    ASSERT_TRUE(hwnd);
    ASSERT_TRUE(label.SubclassWindow(hwnd));
  }
  Capture Shown(CBitmapLabel& label) {
    widgettest::Repaint(host.Get());
    return Capture::OfWindow(label.m_hWnd);
  }

  widgettest::MarkerWindow host{400, 200};
};

TEST_F(LabelFixture, WithoutABitmapOnlyTheTextCoversTheParent) {
  CBitmapLabel label;
  Bind(label, "Status", 120, 20);
  Capture shown = Shown(label);
  EXPECT_GT(shown.FirstDarkColumn(), -1) << "text drawn";
  EXPECT_EQ(0, shown.CountColour(::GetSysColor(COLOR_3DFACE))) << "no face colour";
  EXPECT_EQ(kMarker, shown.At(119, 0)) << "the parent shows beside the text";
  EXPECT_EQ(kMarker, shown.At(0, 0));

  // A text change while visible is drawn by the label, still transparently.
  ::SetWindowTextA(label.m_hWnd, "Associated");
  ::UpdateWindow(label.m_hWnd);
  shown = Capture::OfWindow(label.m_hWnd);
  EXPECT_EQ(0, shown.CountColour(::GetSysColor(COLOR_3DFACE))) << "no opaque box after a text change";
  EXPECT_EQ(kMarker, shown.At(119, 0));
  EXPECT_EQ("Associated", label.GetWindowText());
}

TEST_F(LabelFixture, BackgroundBitmapIsStretchedAndStaysTheOwners) {
  GdiObject picture = LoadBitmapResource(IDB_TAB_SELECTED);  // 99 x 26, drawn at 150 x 40
  const Capture source = Capture::OfBitmap(picture.Bitmap());
  {
    CTabLabel tab;
    Bind(tab, "Link Info", 150, 40);
    tab.SetBackgroundBitmap(picture.Bitmap());
    const Capture shown = Shown(tab);
    EXPECT_EQ(source.At(0, 0), shown.At(0, 0));
    EXPECT_EQ(source.At(98, 0), shown.At(149, 0));
    EXPECT_EQ(source.At(0, 25), shown.At(0, 39));
    EXPECT_EQ(source.At(98, 25), shown.At(149, 39));
    EXPECT_EQ(source.At(49, 13), shown.At(75, 20)) << "middle";
    EXPECT_EQ(0, shown.CountColour(kMarker)) << "the bitmap covers the whole label";
    tab.DestroyWindow();
  }
  EXPECT_NE(0u, ::GetObjectType(picture.Get())) << "the label does not release the owner's bitmap";
}

TEST_F(LabelFixture, TextStaysOnOneCentredLineAndIsClippedAtTheRight) {
  CBitmapLabel label;
  CTabLabel tab;
  const char* longText = "Configuration Configuration Configuration Configuration";
  Bind(label, longText, 60, 60);
  Bind(tab, "Link", 120, 20, 100);
  const Capture shown = Shown(label);
  int firstRow = -1, lastRow = -1;
  for (int y = 0; y < shown.Height(); ++y)
    if (shown.RowHasDark(y)) {
      if (firstRow < 0) firstRow = y;
      lastRow = y;
    }
  ASSERT_GE(firstRow, 0);
  EXPECT_GT(firstRow, 15) << "no wrapped line above the centre";
  EXPECT_LT(lastRow, 45) << "no wrapped line below the centre";
  EXPECT_NEAR(30, (firstRow + lastRow) / 2, 4) << "vertically centred";
  EXPECT_GE(shown.LastDarkColumn(), 56) << "text runs on to the right edge";
  EXPECT_LE(shown.FirstDarkColumn(), 2) << "caption label text starts at the left";

  const Capture tabShown = Capture::OfWindow(tab.m_hWnd);
  const int left = tabShown.FirstDarkColumn(), right = tabShown.LastDarkColumn();
  ASSERT_GE(left, 0);
  EXPECT_GT(left, 30) << "tab text is centred";
  EXPECT_NEAR(60, (left + right) / 2, 3);
}

TEST_F(LabelFixture, DrawsWithTheControlsFont) {
  CBitmapLabel small, large;
  Bind(small, "Signal", 150, 50);
  Bind(large, "Signal", 150, 50, 100);
  GdiObject font(::CreateFontA(-32, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
  ::SendMessageA(large.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  auto textHeight = [](const Capture& shown) {
    int rows = 0;
    for (int y = 0; y < shown.Height(); ++y) rows += shown.RowHasDark(y) ? 1 : 0;
    return rows;
  };
  widgettest::Repaint(host.Get());
  const int smallRows = textHeight(Capture::OfWindow(small.m_hWnd));
  const int largeRows = textHeight(Capture::OfWindow(large.m_hWnd));
  EXPECT_GT(smallRows, 0);
  EXPECT_GT(largeRows, smallRows + 8) << "small " << smallRows << ", large " << largeRows;

  HDC screen = ::GetDC(large.m_hWnd);
  const HGDIOBJ before = ::GetCurrentObject(screen, OBJ_FONT);
  ::ReleaseDC(large.m_hWnd, screen);
  EXPECT_NE(font.Get(), before) << "the font is not left selected";
}

}  // namespace
