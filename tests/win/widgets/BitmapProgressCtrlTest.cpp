// The bitmap progress bar: strip length and placement, tiling, clamping, the native control's
// range, the palette kinds, the fallback to the native bar, and release of what it holds.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "WidgetTestSupport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "widgets/BitmapProgressCtrl.h"

using namespace tarnel;
using widgettest::Capture;
using widgettest::kMarker;

namespace {

constexpr UINT kMissingBitmap = 9999;

// A bar as the link page has it (standard progress bar with a border), sized so that its
// client area is clientWidth x clientHeight, inside a marker-coloured window.
class BarFixture : public ::testing::Test {
 protected:
  void MakeBar(int clientWidth, int clientHeight) {
    HWND hwnd = host.AddChild(PROGRESS_CLASSA, "", WS_BORDER, 20, 20, clientWidth, clientHeight);
    ASSERT_TRUE(hwnd);
    RECT client = {}, window = {};
    ::GetClientRect(hwnd, &client);
    ::GetWindowRect(hwnd, &window);
    const int borderX = (window.right - window.left) - client.right;
    const int borderY = (window.bottom - window.top) - client.bottom;
    ::SetWindowPos(hwnd, nullptr, 0, 0, clientWidth + borderX, clientHeight + borderY, SWP_NOMOVE | SWP_NOZORDER);
    ::GetClientRect(hwnd, &client);
    ASSERT_EQ(clientWidth, client.right);
    ASSERT_EQ(clientHeight, client.bottom);
    ASSERT_TRUE(bar.SubclassWindow(hwnd));
  }

  // PaintBar into a marker-filled memory picture of the whole window.
  Capture PaintIntoMemory() {
    RECT window = {};
    ::GetWindowRect(bar.m_hWnd, &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    HDC screen = ::GetDC(nullptr);
    MemoryDC memory(screen);
    GdiObject picture(::CreateCompatibleBitmap(screen, width, height));
    ::ReleaseDC(nullptr, screen);
    SelectGuard selected(memory.Get(), picture.Get());
    GdiObject marker(::CreateSolidBrush(kMarker));
    RECT all = {0, 0, width, height};
    ::FillRect(memory.Get(), &all, static_cast<HBRUSH>(marker.Get()));
    bar.PaintBar(memory.Get());
    return Capture(memory.Get(), 0, 0, width, height);
  }

  // The strip at window (2 + x, 2 + y) is the fill bitmap tiled from its origin.
  static void ExpectTiled(const Capture& window, const Capture& fill, int x, int y) {
    EXPECT_EQ(fill.At(x % fill.Width(), y % fill.Height()), window.At(2 + x, 2 + y)) << "strip pixel " << x << ", " << y;
  }

  widgettest::MarkerWindow host{800, 200};
  CBitmapProgressCtrl bar;
};

Capture FillPicture(UINT id) {
  GdiObject fill = LoadBitmapResource(id);
  return Capture::OfBitmap(fill.Bitmap());
}

TEST_F(BarFixture, StripIsTwoPixelsInAndTwoShortOfTheFill) {
  MakeBar(200, 16);
  ASSERT_EQ(1, bar.SetFillBitmap(IDB_QUALITY_FILL, TRUE));
  const Capture fill = FillPicture(IDB_QUALITY_FILL);
  struct Case {
    int position, stripWidth;
  };
  for (const Case& c : {Case{0, 0}, Case{50, 98}, Case{100, 198}}) {
    bar.SetPos(c.position);
    const Capture window = PaintIntoMemory();
    EXPECT_EQ(kMarker, window.At(1, 2)) << "position " << c.position << ": nothing left of x = 2";
    EXPECT_EQ(kMarker, window.At(2, 1)) << "position " << c.position << ": nothing above y = 2";
    if (c.stripWidth > 0) {
      ExpectTiled(window, fill, 0, 0);
      ExpectTiled(window, fill, c.stripWidth - 1, 13);
    }
    EXPECT_EQ(kMarker, window.At(2 + c.stripWidth, 2)) << "position " << c.position << ": strip ends";
    EXPECT_EQ(kMarker, window.At(2, 2 + 14)) << "position " << c.position << ": strip is 14 rows high";
  }
}

TEST_F(BarFixture, TilesRepeatAcrossAndDownAndTheLastColumnIsCutOff) {
  MakeBar(650, 40);  // a strip of 648 x 38: tile columns of 300, 300, 48 and rows of 16, 16, 6
  ASSERT_EQ(1, bar.SetFillBitmap(IDB_QUALITY_FILL, FALSE));
  bar.SetPos(100);
  const Capture fill = FillPicture(IDB_QUALITY_FILL);
  const Capture window = PaintIntoMemory();
  for (int x : {0, 299, 300, 599, 600, 647})
    for (int y : {0, 15, 16, 31, 32, 37}) ExpectTiled(window, fill, x, y);
  EXPECT_EQ(kMarker, window.At(2 + 648, 2));
  EXPECT_EQ(kMarker, window.At(2, 2 + 38));
}

TEST_F(BarFixture, PositionIsClampedAndRangeGoesToTheNativeControl) {
  MakeBar(200, 16);
  bar.SetRange(10, 300);
  EXPECT_EQ(290, bar.Range());
  EXPECT_EQ(10, ::SendMessageA(bar.m_hWnd, PBM_GETRANGE, TRUE, 0));
  EXPECT_EQ(300, ::SendMessageA(bar.m_hWnd, PBM_GETRANGE, FALSE, 0));

  bar.SetPos(500);
  EXPECT_EQ(300, bar.Pos());
  EXPECT_EQ(300, ::SendMessageA(bar.m_hWnd, PBM_GETPOS, 0, 0));
  bar.SetPos(-3);
  EXPECT_EQ(10, bar.Pos());
  EXPECT_EQ(10, ::SendMessageA(bar.m_hWnd, PBM_GETPOS, 0, 0));

  bar.SetRange(0, 70000);  // the native control gets the low 16 bits of each end
  EXPECT_EQ(70000, bar.Range());
  EXPECT_EQ(70000 & 0xFFFF, ::SendMessageA(bar.m_hWnd, PBM_GETRANGE, FALSE, 0));

  bar.SetRange(5, 5);
  EXPECT_EQ(1, bar.Range()) << "an empty range counts as 1";
}

TEST_F(BarFixture, PaintsOnScreenAndAShrinkingBarLosesItsOldStrip) {
  MakeBar(200, 16);
  ASSERT_EQ(1, bar.SetFillBitmap(IDB_SIGNAL_FILL, TRUE));
  const Capture fill = FillPicture(IDB_SIGNAL_FILL);
  bar.SetPos(80);
  widgettest::Repaint(host.Get());
  Capture window = Capture::OfWindow(bar.m_hWnd);
  ExpectTiled(window, fill, 0, 0);
  ExpectTiled(window, fill, 150, 5);

  bar.SetPos(30);  // the native control invalidates and updates at once
  window = Capture::OfWindow(bar.m_hWnd);
  ExpectTiled(window, fill, 0, 0);
  ExpectTiled(window, fill, 57, 5);
  EXPECT_EQ(::GetSysColor(COLOR_3DFACE), window.At(2 + 100, 2 + 5)) << "old strip erased";
}

TEST_F(BarFixture, WithoutAFillBitmapTheNativeBarPaints) {
  MakeBar(200, 16);
  ASSERT_EQ(1, bar.SetFillBitmap(IDB_QUALITY_FILL, FALSE));
  const HBITMAP first = bar.FillBitmap();
  EXPECT_EQ(0, bar.SetFillBitmap(kMissingBitmap, TRUE));
  EXPECT_EQ(nullptr, bar.FillBitmap());
  EXPECT_EQ(0u, ::GetObjectType(first)) << "the earlier bitmap is released";

  bar.SetPos(50);
  widgettest::Repaint(host.Get());
  const Capture window = Capture::OfWindow(bar.m_hWnd);
  EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), window.At(2 + 20, 2 + 8)) << "native bar colour";
  EXPECT_EQ(kMarker, PaintIntoMemory().At(2 + 20, 2 + 8)) << "PaintBar draws nothing";

  EXPECT_EQ(1, bar.SetFillBitmap(0, TRUE)) << "0 removes the bitmap and succeeds";
  EXPECT_EQ(nullptr, bar.FillBitmap());
}

std::vector<PALETTEENTRY> Entries(HPALETTE palette) {
  std::vector<PALETTEENTRY> entries(::GetPaletteEntries(palette, 0, 0, nullptr));
  if (!entries.empty()) ::GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
  return entries;
}

bool SameEntries(const std::vector<PALETTEENTRY>& a, const std::vector<PALETTEENTRY>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].peRed != b[i].peRed || a[i].peGreen != b[i].peGreen || a[i].peBlue != b[i].peBlue ||
        a[i].peFlags != b[i].peFlags)
      return false;
  return true;
}

// An 8-bit section whose colour table starts with the given colours.
GdiObject EightBitSection(const std::vector<RGBQUAD>& colours, DWORD coloursUsed) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD table[256];
  } info = {};
  info.header.biSize = sizeof(info.header);
  info.header.biWidth = 4;
  info.header.biHeight = 4;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biClrUsed = coloursUsed;
  for (size_t i = 0; i < colours.size(); ++i) info.table[i] = colours[i];
  void* bits = nullptr;
  return GdiObject(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
}

TEST(FillPalette, TrueColourGetsHalftoneAndEightBitItsOwnTable) {
  CBitmapProgressCtrl bar;  // no window needed to load a bitmap
  ASSERT_EQ(1, bar.SetFillBitmap(IDB_QUALITY_FILL, FALSE));
  ASSERT_TRUE(bar.Palette());
  HDC screen = ::GetDC(nullptr);
  GdiObject halftone(::CreateHalftonePalette(screen));
  ::ReleaseDC(nullptr, screen);
  EXPECT_TRUE(SameEntries(Entries(halftone.Palette()), Entries(bar.Palette()))) << "24-bit fill: halftone";

  // Wine reports every 8-bit section with a full table of 256 colours, so the palette has 256
  // entries; the first ones are the section's own colours, not the halftone ones.
  const std::vector<RGBQUAD> four = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}, {255, 254, 253, 0}};
  GdiObject section = EightBitSection(four, 4);
  ASSERT_TRUE(section);
  GdiObject own = MakeFillPalette(section.Bitmap());
  const std::vector<PALETTEENTRY> entries = Entries(own.Palette());
  ASSERT_GE(entries.size(), 4u);
  EXPECT_LE(entries.size(), 256u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(four[i].rgbRed, entries[i].peRed) << "entry " << i;
    EXPECT_EQ(four[i].rgbGreen, entries[i].peGreen) << "entry " << i;
    EXPECT_EQ(four[i].rgbBlue, entries[i].peBlue) << "entry " << i;
    EXPECT_EQ(0, entries[i].peFlags) << "entry " << i;
  }

  HDC dc = ::GetDC(nullptr);
  GdiObject deviceBitmap(::CreateCompatibleBitmap(dc, 4, 4));
  ::ReleaseDC(nullptr, dc);
  EXPECT_FALSE(MakeFillPalette(deviceBitmap.Bitmap())) << "not a section: no palette";
}

TEST_F(BarFixture, DestructionReleasesBitmapAndPalette) {
  MakeBar(200, 16);
  ASSERT_EQ(1, bar.SetFillBitmap(IDB_QUALITY_FILL, FALSE));
  const HBITMAP fill = bar.FillBitmap();
  const HPALETTE palette = bar.Palette();
  ASSERT_NE(0u, ::GetObjectType(fill));
  ASSERT_NE(0u, ::GetObjectType(palette));
  const GdiCounts before = LiveGdiCounts();
  bar.DestroyWindow();
  EXPECT_EQ(0u, ::GetObjectType(fill));
  EXPECT_EQ(0u, ::GetObjectType(palette));
  EXPECT_EQ(before.objects - 2, LiveGdiCounts().objects);
}

}  // namespace
