#include "widgets/BitmapLabel.h"

#include <optional>
#include <string>

#include "framework/Gdi.h"

namespace tarnel {

BOOL CBitmapLabel::OnEraseBkgnd(HDC dc) {
  // Without a bitmap nothing is drawn: the parent's backdrop stays visible.
  if (!m_background) return TRUE;
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  StretchBitmap(dc, m_background, client);
  return TRUE;
}

void CBitmapLabel::OnPaint() {
  PaintDC paint(m_hWnd);
  const HDC dc = paint.Get();
  OnEraseBkgnd(dc);
  std::optional<SelectGuard> font;
  if (HGDIOBJ controlFont = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT))) font.emplace(dc, controlFont);
  ::SetBkMode(dc, TRANSPARENT);
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  const std::string text = GetWindowText();
  ::DrawTextA(dc, text.c_str(), -1, &client, DrawFlags());
}

// The static control paints itself at once, outside WM_PAINT, when its text or enabled state
// changes, filling its face with the parent's static colour; that would put an opaque box
// over the backdrop. The label stores the text itself and repaints through its own painting.
LRESULT CBitmapLabel::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT || msg == WM_ENABLE) {
    const LRESULT result = ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
    Invalidate(TRUE);
    return result;
  }
  return CStatic::WindowProc(msg, wParam, lParam);
}

}  // namespace tarnel
