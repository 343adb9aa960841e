// Scoped owners of drawing resources. Each keeps a count of live objects of its kind, so
// tests and benchmarks can show that every paint releases what it took (Wine does not
// report a process's GDI object count).
#pragma once

#include <windows.h>

namespace tarnel {

struct GdiCounts {
  long objects;   // bitmaps, palettes, brushes, fonts owned by GdiObject
  long dcs;       // memory, window and paint DCs
  long selects;   // objects selected and not yet restored
  long menus;
};
GdiCounts LiveGdiCounts();

namespace detail {
extern long g_objects, g_dcs, g_selects, g_menus;
}

// Owns a bitmap, palette, brush or font and deletes it.
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(HGDIOBJ handle) { Reset(handle); }
  ~GdiObject() { Reset(nullptr); }
  GdiObject(GdiObject&& other) noexcept : m_handle(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  void Reset(HGDIOBJ handle);
  HGDIOBJ Release();
  HGDIOBJ Get() const { return m_handle; }
  HBITMAP Bitmap() const { return static_cast<HBITMAP>(m_handle); }
  HPALETTE Palette() const { return static_cast<HPALETTE>(m_handle); }
  explicit operator bool() const { return m_handle != nullptr; }

 private:
  HGDIOBJ m_handle = nullptr;
};

// A memory DC compatible with another DC (or the screen), deleted at the end of scope.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith);
  ~MemoryDC();
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return m_dc; }
  explicit operator bool() const { return m_dc != nullptr; }

 private:
  HDC m_dc;
};

// GetDC / GetWindowDC with ReleaseDC.
class WindowDC {
 public:
  enum Area { Client, WholeWindow };
  WindowDC(HWND hwnd, Area area);
  ~WindowDC();
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HWND m_hwnd;
  HDC m_dc;
};

// BeginPaint / EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd);
  ~PaintDC();
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return m_paint.hdc; }
  const PAINTSTRUCT& Info() const { return m_paint; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_paint;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object);
  ~SelectGuard();
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

// Selects a palette (foreground) and puts the previous one back.
class PaletteGuard {
 public:
  PaletteGuard(HDC dc, HPALETTE palette);
  ~PaletteGuard();
  PaletteGuard(const PaletteGuard&) = delete;
  PaletteGuard& operator=(const PaletteGuard&) = delete;

 private:
  HDC m_dc;
  HPALETTE m_previous;
};

// Owns a menu and destroys it.
class MenuHandle {
 public:
  explicit MenuHandle(HMENU menu);
  ~MenuHandle();
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  HMENU Get() const { return m_menu; }

 private:
  HMENU m_menu;
};

// Loads a bitmap resource; the returned object owns it.
GdiObject LoadBitmapResource(UINT id);

// Stretches a whole bitmap over a rectangle of a DC, source pixels unchanged.
void StretchBitmap(HDC target, HBITMAP bitmap, const RECT& area);

}  // namespace tarnel
