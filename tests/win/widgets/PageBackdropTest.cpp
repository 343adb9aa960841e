// The page backdrop: a page that erases with it shows bitmap 116 over its whole client area,
// and its paint handler draws it again only on the 9x family.
#include <windows.h>

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/PlatformFamily.h"
#include "resource.h"
#include "widgets/PageBackdrop.h"

using namespace tarnel;
using widgettest::Capture;
using widgettest::kMarker;

namespace {

// A page as the pages use the backdrop.
class BackdropPage : public CPropertyPage {
 public:
  BackdropPage() : CPropertyPage(IDD_LINK_INFO) {}
  BOOL OnEraseBkgnd(HDC dc) override { return ErasePageBackdrop(m_hWnd, dc); }
  void OnPaint() override { PaintPageBackdrop(m_hWnd); }
};

class BackdropFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.SubclassWindow(host.Get()));
    ASSERT_TRUE(page.Create(&parent));
    page.ShowWindow(SW_SHOWNA);
    ::GetClientRect(page.m_hWnd, &client);
    GdiObject backdrop = LoadBitmapResource(IDB_BACKDROP);
    ASSERT_TRUE(backdrop);
    picture = Capture::OfBitmap(backdrop.Bitmap());
  }
  void TearDown() override {
    ForcePlatformFamily(-1);
    page.DestroyWindow();
    parent.UnsubclassWindow();
  }
  Capture ClientPixels() {
    HDC dc = ::GetDC(page.m_hWnd);
    Capture capture(dc, 0, 0, client.right, client.bottom);
    ::ReleaseDC(page.m_hWnd, dc);
    return capture;
  }
  // The backdrop's corners at the client's corners, where the page has no controls.
  void ExpectBackdropCorners(const Capture& shown) {
    const int w = picture.Width() - 1, h = picture.Height() - 1;
    EXPECT_EQ(picture.At(0, 0), shown.At(0, 0));
    EXPECT_EQ(picture.At(w, 0), shown.At(client.right - 1, 0));
    EXPECT_EQ(picture.At(0, h), shown.At(0, client.bottom - 1));
    EXPECT_EQ(picture.At(w, h), shown.At(client.right - 1, client.bottom - 1));
  }
  void MarkClientArea() {
    HDC dc = ::GetDC(page.m_hWnd);
    GdiObject marker(::CreateSolidBrush(kMarker));
    ::FillRect(dc, &client, static_cast<HBRUSH>(marker.Get()));
    ::ReleaseDC(page.m_hWnd, dc);
  }

  widgettest::MarkerWindow host{600, 400};
  CWnd parent;
  BackdropPage page;
  RECT client = {};
  Capture picture{nullptr, 0, 0, 0, 0};
};

TEST_F(BackdropFixture, ErasedPageShowsTheStretchedBackdrop) {
  ASSERT_GT(client.right, picture.Width()) << "stretched, not copied";
  ASSERT_NE(::GetSysColor(COLOR_3DFACE), picture.At(0, 0)) << "the check needs a corner unlike the dialog colour";
  MarkClientArea();
  widgettest::Repaint(page.m_hWnd);
  const Capture shown = ClientPixels();
  ExpectBackdropCorners(shown);
  EXPECT_EQ(0, shown.CountColour(kMarker)) << "the whole client area is covered";
}

TEST_F(BackdropFixture, PaintDrawsTheBackdropAgainOnlyOnThe9xFamily) {
  widgettest::Repaint(page.m_hWnd);

  ForcePlatformFamily(0);
  MarkClientArea();
  ::InvalidateRect(page.m_hWnd, nullptr, FALSE);  // paint without erasing
  ::UpdateWindow(page.m_hWnd);
  EXPECT_EQ(kMarker, ClientPixels().At(0, 0)) << "NT family: the paint handler draws nothing";

  ForcePlatformFamily(1);
  MarkClientArea();
  ::InvalidateRect(page.m_hWnd, nullptr, FALSE);
  ::UpdateWindow(page.m_hWnd);
  ExpectBackdropCorners(ClientPixels());
}

TEST(Backdrop, DrawingIntoAMemoryContextReleasesTheBitmapEachTime) {
  widgettest::MarkerWindow host(200, 150);
  const GdiCounts before = LiveGdiCounts();
  HDC screen = ::GetDC(nullptr);
  MemoryDC memory(screen);
  GdiObject canvas(::CreateCompatibleBitmap(screen, 200, 150));
  ::ReleaseDC(nullptr, screen);
  SelectGuard selected(memory.Get(), canvas.Get());
  const HGDIOBJ targetBitmap = ::GetCurrentObject(memory.Get(), OBJ_BITMAP);
  for (int i = 0; i < 500; ++i) DrawPageBackdrop(host.Get(), memory.Get());
  EXPECT_EQ(targetBitmap, ::GetCurrentObject(memory.Get(), OBJ_BITMAP));
  EXPECT_EQ(before.objects + 1, LiveGdiCounts().objects) << "only the canvas is left";
  EXPECT_EQ(before.dcs + 1, LiveGdiCounts().dcs) << "only the memory context is left";
}

}  // namespace
