#include "pages/LinkInfoPage.h"

#include "resource.h"

namespace tarnel {

const std::array<int, 12> CLinkInfoPage::kLabelIds = {
    IDC_STATUS_LABEL,     IDC_SSID_LABEL,     IDC_CHANNEL_LABEL, IDC_MAC_ADDRESS_LABEL,
    IDC_CONNECTION_LABEL, IDC_IP_ADDRESS_LABEL, IDC_QUALITY_LABEL, IDC_SIGNAL_LABEL,
    IDC_TX_RATE_LABEL,    IDC_MBPS_LABEL,     IDC_QUALITY_PERCENT, IDC_SIGNAL_PERCENT,
};

CLinkInfoPage::CLinkInfoPage() : CBackdropPage(IDD_LINK_INFO) {}

void CLinkInfoPage::DoDataExchange(CDataExchange* dx) {
  CBackdropPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_QUALITY_BAR, m_qualityBar);
  DDX_Control(dx, IDC_SIGNAL_BAR, m_signalBar);
  for (size_t i = 0; i < kLabelIds.size(); ++i) DDX_Control(dx, kLabelIds[i], m_labels[i]);
  DDX_Text(dx, IDC_STATUS, m_status);
  DDX_Text(dx, IDC_SSID, m_ssid);
  DDX_Text(dx, IDC_CHANNEL, m_channel);
  DDX_Text(dx, IDC_TX_RATE, m_txRate);
  DDX_Text(dx, IDC_MAC_ADDRESS, m_macAddress);
  DDX_Text(dx, IDC_IP_ADDRESS, m_ipAddress);
  DDX_Text(dx, IDC_CONNECTION_TYPE, m_connectionType);
}

BOOL CLinkInfoPage::OnInitDialog() {
  CBackdropPage::OnInitDialog();
  m_qualityBar.SetFillBitmap(IDB_QUALITY_FILL, TRUE);
  m_qualityBar.SetRange(0, 100);
  m_signalBar.SetFillBitmap(IDB_SIGNAL_FILL, TRUE);
  m_signalBar.SetRange(0, 100);
  SetTimer(kTimerId, kTimerPeriodMs);
  return TRUE;
}

HBRUSH CLinkInfoPage::OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) {
  if (ctlColorMsg == WM_CTLCOLORSTATIC) return TransparentColors(dc);
  return CBackdropPage::OnCtlColor(dc, control, ctlColorMsg);
}

}  // namespace tarnel
