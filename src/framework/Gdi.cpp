#include "framework/Gdi.h"

#include "framework/Wnd.h"

namespace tarnel {

namespace detail {
long g_objects = 0, g_dcs = 0, g_selects = 0, g_menus = 0;
}

GdiCounts LiveGdiCounts() { return {detail::g_objects, detail::g_dcs, detail::g_selects, detail::g_menus}; }

void GdiObject::Reset(HGDIOBJ handle) {
  if (m_handle) {
    ::DeleteObject(m_handle);
    --detail::g_objects;
  }
  m_handle = handle;
  if (m_handle) ++detail::g_objects;
}

HGDIOBJ GdiObject::Release() {
  HGDIOBJ handle = m_handle;
  if (handle) --detail::g_objects;
  m_handle = nullptr;
  return handle;
}

MemoryDC::MemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {
  if (m_dc) ++detail::g_dcs;
}

MemoryDC::~MemoryDC() {
  if (m_dc) {
    ::DeleteDC(m_dc);
    --detail::g_dcs;
  }
}

WindowDC::WindowDC(HWND hwnd, Area area)
    : m_hwnd(hwnd), m_dc(area == WholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd)) {
  if (m_dc) ++detail::g_dcs;
}

WindowDC::~WindowDC() {
  if (m_dc) {
    ::ReleaseDC(m_hwnd, m_dc);
    --detail::g_dcs;
  }
}

PaintDC::PaintDC(HWND hwnd) : m_hwnd(hwnd) {
  ::BeginPaint(hwnd, &m_paint);
  ++detail::g_dcs;
}

PaintDC::~PaintDC() {
  ::EndPaint(m_hwnd, &m_paint);
  --detail::g_dcs;
}

SelectGuard::SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {
  if (m_previous) ++detail::g_selects;
}

SelectGuard::~SelectGuard() {
  if (m_previous) {
    ::SelectObject(m_dc, m_previous);
    --detail::g_selects;
  }
}

PaletteGuard::PaletteGuard(HDC dc, HPALETTE palette) : m_dc(dc), m_previous(::SelectPalette(dc, palette, FALSE)) {
  ::RealizePalette(dc);
  if (m_previous) ++detail::g_selects;
}

PaletteGuard::~PaletteGuard() {
  if (m_previous) {
    ::SelectPalette(m_dc, m_previous, FALSE);
    --detail::g_selects;
  }
}

MenuHandle::MenuHandle(HMENU menu) : m_menu(menu) {
  if (m_menu) ++detail::g_menus;
}

MenuHandle::~MenuHandle() {
  if (m_menu) {
    ::DestroyMenu(m_menu);
    --detail::g_menus;
  }
}

GdiObject LoadBitmapResource(UINT id) {
  return GdiObject(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION));
}

void StretchBitmap(HDC target, HBITMAP bitmap, const RECT& area) {
  BITMAP info = {};
  if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info)) return;
  MemoryDC source(target);
  if (!source) return;
  SelectGuard selected(source.Get(), bitmap);
  ::SetStretchBltMode(target, COLORONCOLOR);
  ::StretchBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, source.Get(), 0,
               0, info.bmWidth, info.bmHeight, SRCCOPY);
}

}  // namespace tarnel
