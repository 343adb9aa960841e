// The page backdrop: bitmap 116 stretched over a page's client area, loaded for each drawing
// and released right after.
#pragma once

#include <windows.h>

namespace tarnel {

// Draws the backdrop over the client area of page into dc.
void DrawPageBackdrop(HWND page, HDC dc);

// The erase handler of a page: draws the backdrop and reports the background as erased.
// The dialog's default erase is left out on purpose: it fills the client area with the
// dialog brush and would hide the backdrop. Pages return this from OnEraseBkgnd.
BOOL ErasePageBackdrop(HWND page, HDC dc);

// The paint handler's part: on the 9x family the backdrop is drawn a second time.
// Always begins and ends painting.
void PaintPageBackdrop(HWND page);

}  // namespace tarnel
