// Long runs of repaints, as the link page's 300 ms refresh causes: every paint releases what
// it took, by our wrappers' live counts and by the targets' selected objects.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "WidgetTestSupport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "widgets/BitmapLabel.h"
#include "widgets/BitmapProgressCtrl.h"

using namespace tarnel;

namespace {

constexpr int kRounds = 2000;

bool SameCounts(const GdiCounts& a, const GdiCounts& b) {
  return a.objects == b.objects && a.dcs == b.dcs && a.selects == b.selects && a.menus == b.menus;
}

TEST(RepaintLeak, BarsAndLabelsRepaintedThousandsOfTimesHoldNothing) {
  widgettest::MarkerWindow host(500, 200);
  GdiObject labelPicture = LoadBitmapResource(IDB_LABEL);
  GdiObject tabPicture = LoadBitmapResource(IDB_TAB);
  CBitmapProgressCtrl quality, signal;
  CBitmapLabel caption;
  CTabLabel tab;
  ASSERT_TRUE(quality.SubclassWindow(host.AddChild(PROGRESS_CLASSA, "", WS_BORDER, 10, 10, 270, 20)));
  ASSERT_TRUE(signal.SubclassWindow(host.AddChild(PROGRESS_CLASSA, "", WS_BORDER, 10, 40, 270, 18)));
  ASSERT_TRUE(caption.SubclassWindow(host.AddChild("STATIC", "Available Network", SS_LEFT, 10, 70, 200, 22)));
  ASSERT_TRUE(tab.SubclassWindow(host.AddChild("STATIC", "Link Info", SS_CENTER | SS_NOTIFY, 10, 100, 124, 36)));
  ASSERT_EQ(1, quality.SetFillBitmap(IDB_QUALITY_FILL, TRUE));
  ASSERT_EQ(1, signal.SetFillBitmap(IDB_SIGNAL_FILL, TRUE));
  caption.SetBackgroundBitmap(labelPicture.Bitmap());
  tab.SetBackgroundBitmap(tabPicture.Bitmap());
  widgettest::Repaint(host.Get());

  HDC window = ::GetWindowDC(quality.m_hWnd);
  const HGDIOBJ windowBitmap = ::GetCurrentObject(window, OBJ_BITMAP);
  const HGDIOBJ windowPalette = ::GetCurrentObject(window, OBJ_PAL);
  const GdiCounts before = LiveGdiCounts();
  const DWORD start = ::GetTickCount();
  for (int i = 0; i < kRounds; ++i) {
    quality.SetPos(i % 101);  // the native control repaints at once, erasing when it shrinks
    signal.SetPos(100 - i % 101);
    caption.Invalidate();
    caption.UpdateWindow();
    tab.SetBackgroundBitmap(i % 2 ? tabPicture.Bitmap() : labelPicture.Bitmap());
    tab.Invalidate();
    tab.UpdateWindow();
    quality.PaintBar(window);
  }
  const DWORD elapsed = ::GetTickCount() - start;
  const GdiCounts after = LiveGdiCounts();
  EXPECT_TRUE(SameCounts(before, after)) << "objects " << before.objects << " -> " << after.objects << ", dcs "
                                         << before.dcs << " -> " << after.dcs << ", selects " << before.selects
                                         << " -> " << after.selects;
  EXPECT_EQ(windowBitmap, ::GetCurrentObject(window, OBJ_BITMAP));
  EXPECT_EQ(windowPalette, ::GetCurrentObject(window, OBJ_PAL));
  ::ReleaseDC(quality.m_hWnd, window);
  std::printf("[   INFO   ] %d rounds of 2 bars, 2 labels and 1 direct bar paint: %lu ms\n", kRounds,
              static_cast<unsigned long>(elapsed));

  // Releasing the fill bitmaps leaves nothing of the widgets' own.
  const HBITMAP fill = quality.FillBitmap();
  const HPALETTE palette = quality.Palette();
  quality.DestroyWindow();
  EXPECT_EQ(0u, ::GetObjectType(fill));
  EXPECT_EQ(0u, ::GetObjectType(palette));
  EXPECT_NE(0u, ::GetObjectType(tabPicture.Get())) << "the owners' label bitmaps stay";
}

}  // namespace
