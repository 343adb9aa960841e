#include "pages/BackdropPage.h"

#include "widgets/PageBackdrop.h"
#include "widgets/PageHost.h"

namespace tarnel {

// The dialog's default erase would fill the page with the dialog brush over the backdrop.
BOOL CBackdropPage::OnEraseBkgnd(HDC dc) { return ErasePageBackdrop(m_hWnd, dc); }

void CBackdropPage::OnPaint() { PaintPageBackdrop(m_hWnd); }

HBRUSH CBackdropPage::TransparentColors(HDC dc) {
  ::SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CBackdropPage::TellUserChange() {
  if (auto* host = dynamic_cast<CPageHost*>(GetParent())) host->OnUserChange();
}

}  // namespace tarnel
