// Shared pieces of the widget tests: a plain top-level window painted in a marker colour,
// and pixel captures of device contexts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace widgettest {

// A colour none of the artwork uses.
constexpr COLORREF kMarker = RGB(255, 0, 255);

// A visible top-level window whose background erase fills it with kMarker.
class MarkerWindow {
 public:
  MarkerWindow(int width, int height);
  ~MarkerWindow();
  MarkerWindow(const MarkerWindow&) = delete;
  MarkerWindow& operator=(const MarkerWindow&) = delete;
  HWND Get() const { return m_hwnd; }
  // A child control of this window.
  HWND AddChild(const char* className, const char* text, DWORD style, int x, int y, int width, int height);

 private:
  HWND m_hwnd;
};

// The pixels of a rectangle of a device context, copied at construction.
class Capture {
 public:
  Capture(HDC dc, int x, int y, int width, int height);
  // Window coordinates of hwnd, border included.
  static Capture OfWindow(HWND hwnd);
  // A bitmap at its own size.
  static Capture OfBitmap(HBITMAP bitmap);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  COLORREF At(int x, int y) const;
  // Pixels darker than the threshold (sum of channels) in a column range of one row.
  int CountDark(int row, int fromX, int toX) const;
  bool RowHasDark(int row) const { return CountDark(row, 0, m_width) > 0; }
  // Leftmost and rightmost column holding a dark pixel, -1 when none.
  int FirstDarkColumn() const;
  int LastDarkColumn() const;
  int CountColour(COLORREF colour) const;

 private:
  int m_width;
  int m_height;
  std::vector<uint32_t> m_pixels;
};

// Paints the window and all its children now, erasing first.
void Repaint(HWND hwnd);

}  // namespace widgettest
