// A progress bar whose bar is a bitmap tiled to the length of the current value.
#pragma once

#include <windows.h>  // before Controls.h, whose <commctrl.h> needs it

#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "widgets/portable/BarGeometry.h"  // BarFillWidth and the rest of the bar's arithmetic

namespace tarnel {

class CBitmapProgressCtrl : public CProgressCtrl {
 public:
  // Loads the fill bitmap (0 removes it); 1 on success, 0 when the resource fails to load.
  int SetFillBitmap(UINT bitmapId, BOOL redraw);
  void SetRange(int lower, int upper);
  void SetPos(int position);

  int Lower() const { return m_lower; }
  int Upper() const { return m_upper; }
  int Range() const { return m_range; }
  int Step() const { return m_step; }
  int Pos() const { return m_position; }
  HBITMAP FillBitmap() const { return m_fill.Bitmap(); }
  HPALETTE Palette() const { return m_palette.Palette(); }

  // Draws the tiled strip into target, whose origin is the control window's top-left corner
  // (border included). Does nothing without a fill bitmap.
  void PaintBar(HDC target);

  // A double-click tells the parent, as a static control with SS_NOTIFY does: WM_COMMAND with
  // STN_DBLCLK. The progress class takes no double-clicks itself, so they are told apart here.
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnEraseBkgnd(HDC dc) override;
  void OnPaint() override;
  void OnDestroy() override;

 private:
  void BuildPalette();

  int m_lower = 0;
  int m_upper = 100;
  int m_range = 100;
  int m_step = 10;
  int m_position = 0;
  GdiObject m_fill;
  GdiObject m_palette;
  int m_bitmapWidth = 0;
  int m_bitmapHeight = 0;
  DWORD m_lastClickMs = 0;
  POINT m_lastClickAt = {0, 0};
  bool m_clicked = false;  // a first click waits for its second
};

// The palette that keeps a device-independent bitmap's colours: its own colour table when it
// has at most 256 colours, else the halftone palette. Empty when the bitmap is not a section.
GdiObject MakeFillPalette(HBITMAP section);

}  // namespace tarnel
