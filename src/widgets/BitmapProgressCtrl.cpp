#include "widgets/BitmapProgressCtrl.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace tarnel {

namespace {

constexpr WORD kPaletteVersion = 0x300;

// The bitmap's colour table as a logical palette, entry i from table entry i, flags 0.
GdiObject PaletteFromColourTable(HBITMAP section, UINT count) {
  std::vector<RGBQUAD> table(count);
  {
    MemoryDC memory(nullptr);
    if (!memory) return GdiObject();
    SelectGuard selected(memory.Get(), section);
    ::GetDIBColorTable(memory.Get(), 0, count, table.data());
  }
  // LOGPALETTE declares one entry; the record is allocated with room for all of them.
  std::vector<BYTE> record(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (count > 0 ? count - 1 : 0));
  LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(record.data());
  palette->palVersion = kPaletteVersion;
  palette->palNumEntries = static_cast<WORD>(count);
  for (UINT i = 0; i < count; ++i)
    palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  return GdiObject(::CreatePalette(palette));
}

// Whole copies of the fill bitmap laid from the work context's origin over the strip's size.
void TileStrip(HDC work, HDC source, const BarStrip& strip, int tileWidth, int tileHeight) {
  const int columns = TileCount(strip.width, tileWidth);
  const int rows = TileCount(strip.height, tileHeight);
  for (int column = 0; column < columns; ++column)
    for (int row = 0; row < rows; ++row)
      ::BitBlt(work, column * tileWidth, row * tileHeight, tileWidth, tileHeight, source, 0, 0, SRCCOPY);
}

bool IsSecondClick(DWORD sinceMs, POINT first, POINT second) {
  return sinceMs <= ::GetDoubleClickTime() && std::abs(second.x - first.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(second.y - first.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

}  // namespace

LRESULT CBitmapProgressCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const DWORD now = ::GetTickCount();
    const bool twice = msg == WM_LBUTTONDBLCLK || (m_clicked && IsSecondClick(now - m_lastClickMs, m_lastClickAt, at));
    m_clicked = !twice;
    m_lastClickMs = now;
    m_lastClickAt = at;
    if (twice)
      ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), STN_DBLCLK),
                     reinterpret_cast<LPARAM>(m_hWnd));
  }
  return CProgressCtrl::WindowProc(msg, wParam, lParam);
}

GdiObject MakeFillPalette(HBITMAP section) {
  DIBSECTION info = {};
  if (!section || ::GetObjectA(section, sizeof(info), &info) != static_cast<int>(sizeof(info)))
    return GdiObject();
  const uint64_t colours = DibColourCount(info.dsBmih.biClrUsed, info.dsBmih.biBitCount);
  if (UsesOwnColourTable(colours)) return PaletteFromColourTable(section, static_cast<UINT>(colours));
  WindowDC screen(nullptr, WindowDC::Client);
  return GdiObject(::CreateHalftonePalette(screen.Get()));
}

int CBitmapProgressCtrl::SetFillBitmap(UINT bitmapId, BOOL redraw) {
  m_fill.Reset(nullptr);
  if (bitmapId != 0) {
    m_fill = LoadBitmapResource(bitmapId);
    if (!m_fill) return 0;
    BuildPalette();
    BITMAP info = {};
    ::GetObjectA(m_fill.Get(), sizeof(info), &info);
    m_bitmapWidth = info.bmWidth;
    m_bitmapHeight = info.bmHeight;
  }
  if (redraw == TRUE && m_hWnd) Invalidate(TRUE);
  return 1;
}

void CBitmapProgressCtrl::BuildPalette() { m_palette = MakeFillPalette(m_fill.Bitmap()); }

void CBitmapProgressCtrl::SetRange(int lower, int upper) {
  m_lower = lower;
  m_upper = upper;
  m_range = BarRange(lower, upper);
  // The native control takes the low 16 bits of each end.
  if (m_hWnd) SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

void CBitmapProgressCtrl::SetPos(int position) {
  m_position = ClampBarPosition(position, m_lower, m_upper);
  if (m_hWnd) CProgressCtrl::SetPos(m_position);
}

void CBitmapProgressCtrl::PaintBar(HDC target) {
  if (!m_fill || !m_hWnd) return;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;

  MemoryDC source(target);
  MemoryDC work(target);
  if (!source || !work) return;
  SelectGuard sourceSelected(source.Get(), m_fill.Get());
  GdiObject canvas(::CreateCompatibleBitmap(source.Get(), width, height));
  if (!canvas) return;
  SelectGuard workSelected(work.Get(), canvas.Get());

  const BarStrip strip = BarStripSize(width, height, m_lower, m_position, m_range);
  TileStrip(work.Get(), source.Get(), strip, m_bitmapWidth, m_bitmapHeight);

  std::optional<PaletteGuard> palette;
  if ((::GetDeviceCaps(target, RASTERCAPS) & RC_PALETTE) && m_palette) palette.emplace(target, m_palette.Palette());
  // (2, 2) in window coordinates: the shrunk rectangle's corner for a control with a border.
  if (!strip.Empty()) ::BitBlt(target, 2, 2, strip.width, strip.height, work.Get(), 0, 0, SRCCOPY);
}

// The native control erases nothing and paints its whole face in its own paint, which this
// class replaces; without this fill a shrinking bar would leave its old strip on screen.
BOOL CBitmapProgressCtrl::OnEraseBkgnd(HDC dc) {
  if (!m_fill) return CProgressCtrl::OnEraseBkgnd(dc);
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_3DFACE));
  return TRUE;
}

void CBitmapProgressCtrl::OnPaint() {
  if (!m_fill) return CProgressCtrl::OnPaint();
  PaintDC paint(m_hWnd);
  WindowDC window(m_hWnd, WindowDC::WholeWindow);
  PaintBar(window.Get());
}

void CBitmapProgressCtrl::OnDestroy() {
  m_fill.Reset(nullptr);
  m_palette.Reset(nullptr);
  CProgressCtrl::OnDestroy();
}

}  // namespace tarnel
