#include "TrayImage.h"

#include <commctrl.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "resource.h"

namespace tarnel::test {
namespace {

constexpr int kCell = 20;  // Wine's tray cell: a 16-pixel icon with a 2-pixel border
constexpr int kIcon = 16;

// The newest icon is the rightmost: a killed program's icon would stay on its left.
HWND FindTrayIconWindow() {
  HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
  HWND newest = nullptr;
  LONG newestLeft = LONG_MIN;
  for (HWND icon = nullptr; tray && (icon = ::FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr));) {
    RECT area;
    if (::IsWindowVisible(icon) && ::GetWindowRect(icon, &area) && area.left > newestLeft) {
      newest = icon;
      newestLeft = area.left;
    }
  }
  return newest;
}

// The pixels of a kCell square of dc at x, y as 0x00RRGGBB values.
std::vector<uint32_t> Grab(HDC dc, int x, int y) {
  std::vector<uint32_t> pixels(kCell * kCell, 0);
  HDC memory = ::CreateCompatibleDC(dc);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc, kCell, kCell);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, kCell, kCell, dc, x, y, SRCCOPY);
  ::SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kCell, -kCell, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ::GetDIBits(memory, bitmap, 0, kCell, pixels.data(), &info, DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// The icon drawn at (dx, dy) over a cell filled with background.
std::vector<uint32_t> Render(UINT iconId, uint32_t background, int dx, int dy) {
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kCell, kCell);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  HBRUSH brush = ::CreateSolidBrush(RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
  RECT all = {0, 0, kCell, kCell};
  ::FillRect(memory, &all, brush);
  ::DeleteObject(brush);
  HICON icon = static_cast<HICON>(
      ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, kIcon, kIcon, 0));
  ::DrawIconEx(memory, dx, dy, icon, kIcon, kIcon, 0, nullptr, DI_NORMAL);
  ::DestroyIcon(icon);
  std::vector<uint32_t> pixels = Grab(memory, 0, 0);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

long long Distance(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  long long sum = 0;
  for (size_t i = 0; i < a.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8) {
      const long long d = static_cast<long long>((a[i] >> shift) & 0xFF) - ((b[i] >> shift) & 0xFF);
      sum += d * d;
    }
  return sum;
}

struct TipSearch {
  bool balloon;
  HWND found;
};

BOOL CALLBACK FindTip(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<TipSearch*>(search);
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof(name));
  if (::lstrcmpiA(name, "tooltips_class32") != 0 || !::IsWindowVisible(window)) return TRUE;
  if (((::GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) != 0) != s->balloon) return TRUE;
  s->found = window;
  return FALSE;
}

}  // namespace

// A tooltip answers WM_GETTEXT with the text it shows; the message is carried across processes.
std::string ShownTipText(bool balloon) {
  TipSearch search = {balloon, nullptr};
  ::EnumWindows(FindTip, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return std::string();
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(search.found, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length))
    return std::string();
  std::string narrow;
  for (const wchar_t* c = text; *c; ++c) narrow += *c < 128 ? static_cast<char>(*c) : '?';
  return narrow;
}

bool PointAtTrayIcon() {
  HWND icon = FindTrayIconWindow();
  RECT area;
  if (!icon || !::GetWindowRect(icon, &area)) return false;
  return ::SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2) != FALSE;
}

UINT ShownTrayImage() {
  HWND icon = FindTrayIconWindow();
  if (!icon) return 0;
  // Out from under the main window, which opens at the same corner; once.
  HWND tray = ::GetParent(icon);
  RECT trayArea;
  ::GetWindowRect(tray, &trayArea);
  const int x = ::GetSystemMetrics(SM_CXSCREEN) - (trayArea.right - trayArea.left);
  const int y = ::GetSystemMetrics(SM_CYSCREEN) - (trayArea.bottom - trayArea.top);
  if (trayArea.left != x || trayArea.top != y) {
    ::SetWindowPos(tray, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ::Sleep(100);
  }
  // Wine's tray draws a new image over the old one without erasing it, so the rings of a
  // stronger step would stay: hiding and showing the cell makes it paint afresh.
  ::ShowWindow(icon, SW_HIDE);
  ::ShowWindow(icon, SW_SHOWNA);
  ::Sleep(50);
  RECT area;
  ::GetWindowRect(icon, &area);
  HDC screen = ::GetDC(nullptr);
  const std::vector<uint32_t> shown = Grab(screen, area.left, area.top);
  ::ReleaseDC(nullptr, screen);

  UINT best = 0;
  long long bestDistance = -1;
  for (UINT id : {IDI_TRAY_NOLINK, IDI_TRAY_WEAK, IDI_TRAY_MEDIUM, IDI_TRAY_STRONG}) {
    for (int dy = 0; dy <= kCell - kIcon; ++dy)
      for (int dx = 0; dx <= kCell - kIcon; ++dx) {
        const long long d = Distance(shown, Render(id, shown[0], dx, dy));
        if (bestDistance < 0 || d < bestDistance) {
          bestDistance = d;
          best = id;
        }
      }
  }
  return best;
}

}  // namespace tarnel::test
