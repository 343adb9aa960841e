#include "pages/VersionPage.h"

#include "framework/Gdi.h"
#include "resource.h"
#include "settings/AdapterState.h"

namespace tarnel {

namespace {

HWND FindPicture(HWND panel) {
  for (HWND child = ::GetWindow(panel, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
  }
  return nullptr;
}

}  // namespace

CVersionPage::CVersionPage() : CBackdropPage(IDD_VERSION) {}

void CVersionPage::DoDataExchange(CDataExchange* dx) {
  CBackdropPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_VERSION_INFO_LABEL, m_versionInfoLabel);
  DDX_Control(dx, IDC_UTILITY_VERSION_LABEL, m_utilityVersionLabel);
  DDX_Control(dx, IDC_DRIVER_VERSION_LABEL, m_driverVersionLabel);
}

BOOL CVersionPage::OnInitDialog() {
  CBackdropPage::OnInitDialog();
  OnSetActive();
  return TRUE;
}

BOOL CVersionPage::OnSetActive() {
  ::SetDlgItemTextA(m_hWnd, IDC_DRIVER_VERSION, settings::DriverVersionText().c_str());
  ::SetDlgItemTextA(m_hWnd, IDC_UTILITY_VERSION, LoadStringResource(IDS_UTILITY_VERSION).c_str());
  return CBackdropPage::OnSetActive();
}

BOOL CVersionPage::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) return TRUE;
  return CBackdropPage::PreTranslateMessage(msg);
}

// The picture static loads bitmap 126 from the template, and not every platform deletes it
// with the control: the panel is built again at each page rebuild. Taken out of the control
// first, the bitmap is deleted here exactly once wherever the panel runs.
void CVersionPage::OnDestroy() {
  if (HWND picture = FindPicture(m_hWnd)) {
    GdiObject bitmap(reinterpret_cast<HGDIOBJ>(::SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, 0)));
  }
  CBackdropPage::OnDestroy();
}

}  // namespace tarnel
