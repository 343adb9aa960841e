#include "E2eShots.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tarnel::test {

namespace {

// A screen DC and a memory copy of one area of it, released on every path.
class ScreenCopy {
 public:
  explicit ScreenCopy(const RECT& area)
      : m_width(area.right - area.left), m_height(area.bottom - area.top), m_screen(::GetDC(nullptr)) {
    m_memory = ::CreateCompatibleDC(m_screen);
    m_bitmap = ::CreateCompatibleBitmap(m_screen, m_width, m_height);
    HGDIOBJ old = ::SelectObject(m_memory, m_bitmap);
    m_copied = ::BitBlt(m_memory, 0, 0, m_width, m_height, m_screen, area.left, area.top, SRCCOPY) != FALSE;
    ::SelectObject(m_memory, old);
  }
  ~ScreenCopy() {
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_memory);
    ::ReleaseDC(nullptr, m_screen);
  }
  ScreenCopy(const ScreenCopy&) = delete;
  ScreenCopy& operator=(const ScreenCopy&) = delete;

  // Bottom-up rows of 24-bit pixels, each padded to 4 bytes, with the header that says so.
  bool Pixels(BITMAPINFOHEADER* header, std::vector<BYTE>* pixels) const {
    if (!m_copied) return false;
    *header = {sizeof(BITMAPINFOHEADER), m_width, m_height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (m_width * 3 + 3) & ~3;
    header->biSizeImage = static_cast<DWORD>(stride * m_height);
    pixels->assign(header->biSizeImage, 0);
    return ::GetDIBits(m_memory, m_bitmap, 0, m_height, pixels->data(), reinterpret_cast<BITMAPINFO*>(header),
                       DIB_RGB_COLORS) == m_height;
  }

 private:
  LONG m_width;
  LONG m_height;
  HDC m_screen;
  HDC m_memory = nullptr;
  HBITMAP m_bitmap = nullptr;
  bool m_copied = false;
};

bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& header, const std::vector<BYTE>& pixels) {
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&header, sizeof(header), 1, out) == 1 &&
                       std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

std::string ShotsFolder() {
  const char* folder = std::getenv("TARNEL_SHOTS");
  if (!folder || !*folder) return std::string();
  std::string path = folder;
  if (path[0] == '/') path = "Z:" + path;  // a Unix path as Wine shows it
  for (char& c : path)
    if (c == '/') c = '\\';
  if (path.back() != '\\') path += '\\';
  return path;
}

bool SaveShot(const std::string& name, HWND window) {
  const std::string folder = ShotsFolder();
  if (folder.empty()) return false;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GetWindowRect(window, &area);
  }
  ::Sleep(150);  // the other process paints on its own time
  BITMAPINFOHEADER header;
  std::vector<BYTE> pixels;
  const ScreenCopy copy(area);
  return copy.Pixels(&header, &pixels) && WriteBmp(folder + name + ".bmp", header, pixels);
}

}  // namespace tarnel::test
