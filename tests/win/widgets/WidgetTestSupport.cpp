#include "WidgetTestSupport.h"

namespace widgettest {

namespace {

constexpr char kHostClass[] = "TarnelWidgetTestHost";
constexpr int kDarkThreshold = 3 * 100;

const char* HostClass() {
  static const bool registered = [] {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = ::DefWindowProcA;
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.hbrBackground = ::CreateSolidBrush(kMarker);  // lives as long as the class, for the whole run
    cls.lpszClassName = kHostClass;
    return ::RegisterClassA(&cls) != 0;
  }();
  return registered ? kHostClass : nullptr;
}

bool IsDark(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) < kDarkThreshold;
}

}  // namespace

MarkerWindow::MarkerWindow(int width, int height)
    : m_hwnd(::CreateWindowExA(WS_EX_TOOLWINDOW, HostClass(), "widgets", WS_POPUP | WS_VISIBLE, 10, 10, width,
                               height, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr)) {}

MarkerWindow::~MarkerWindow() {
  if (m_hwnd) ::DestroyWindow(m_hwnd);
}

HWND MarkerWindow::AddChild(const char* className, const char* text, DWORD style, int x, int y, int width,
                            int height) {
  return ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_hwnd, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

// Plain GDI calls rather than the framework's wrappers, so captures never move their live counts.
Capture::Capture(HDC dc, int x, int y, int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ previous = ::SelectObject(memory, section);
  ::BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
  ::GdiFlush();
  const uint32_t* source = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < m_pixels.size(); ++i) m_pixels[i] = source[i] & 0xFFFFFF;
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::DeleteObject(section);
}

Capture Capture::OfWindow(HWND hwnd) {
  RECT window = {};
  ::GetWindowRect(hwnd, &window);
  HDC dc = ::GetWindowDC(hwnd);
  Capture capture(dc, 0, 0, window.right - window.left, window.bottom - window.top);
  ::ReleaseDC(hwnd, dc);
  return capture;
}

Capture Capture::OfBitmap(HBITMAP bitmap) {
  BITMAP info = {};
  ::GetObjectA(bitmap, sizeof(info), &info);
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  Capture capture(memory, 0, 0, info.bmWidth, info.bmHeight);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  return capture;
}

COLORREF Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
  const uint32_t pixel = m_pixels[static_cast<size_t>(y) * m_width + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Capture::CountDark(int row, int fromX, int toX) const {
  int count = 0;
  for (int x = fromX; x < toX && x < m_width; ++x)
    if (IsDark(m_pixels[static_cast<size_t>(row) * m_width + x])) ++count;
  return count;
}

int Capture::FirstDarkColumn() const {
  for (int x = 0; x < m_width; ++x)
    for (int y = 0; y < m_height; ++y)
      if (IsDark(m_pixels[static_cast<size_t>(y) * m_width + x])) return x;
  return -1;
}

int Capture::LastDarkColumn() const {
  for (int x = m_width - 1; x >= 0; --x)
    for (int y = 0; y < m_height; ++y)
      if (IsDark(m_pixels[static_cast<size_t>(y) * m_width + x])) return x;
  return -1;
}

int Capture::CountColour(COLORREF colour) const {
  int count = 0;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x)
      if (At(x, y) == colour) ++count;
  return count;
}

void Repaint(HWND hwnd) {
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

}  // namespace widgettest
