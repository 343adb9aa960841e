#include <string>

#include "resource.h"
#include "widgets/BitmapLabel.h"
#include "widgets/PageHost.h"

namespace tarnel {

BOOL CTabLabel::OnChildNotify(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (msg != WM_COMMAND || HIWORD(wParam) != STN_CLICKED) return FALSE;
  OnClicked();
  if (result) *result = 0;
  return TRUE;
}

void CTabLabel::OnClicked() {
  CPageHost* host = dynamic_cast<CPageHost*>(CWnd::FromHandle(::GetParent(m_hWnd)));
  if (!host) return;
  const int count = host->PageCount();
  const std::string text = GetWindowText();
  // Matched by caption, not by control: the first tab with the same text wins.
  for (int i = 0; i < count; ++i) {
    HWND tab = host->GetDlgItem(IDC_TAB_LINK_INFO + i);
    if (tab && GetWindowText(tab) == text) {
      host->SelectPage(i);
      return;
    }
  }
}

}  // namespace tarnel
