#include "widgets/PageBackdrop.h"

#include "framework/Gdi.h"
#include "framework/PlatformFamily.h"
#include "resource.h"

namespace tarnel {

void DrawPageBackdrop(HWND page, HDC dc) {
  RECT client = {};
  if (!::GetClientRect(page, &client)) return;
  GdiObject backdrop = LoadBitmapResource(IDB_BACKDROP);
  StretchBitmap(dc, backdrop.Bitmap(), client);
}

BOOL ErasePageBackdrop(HWND page, HDC dc) {
  DrawPageBackdrop(page, dc);
  return TRUE;
}

void PaintPageBackdrop(HWND page) {
  PaintDC paint(page);
  if (IsWin9xFamily()) DrawPageBackdrop(page, paint.Get());
}

}  // namespace tarnel
