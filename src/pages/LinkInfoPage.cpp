#include "pages/LinkInfoPage.h"

#include <iphlpapi.h>

#include <memory>

#include "adapter/NvLibrary.h"
#include "adapter/portable/MacAddress.h"
#include "settings/portable/LinkTexts.h"
#include "resource.h"
#include "widgets/PageHost.h"

namespace tarnel {

namespace {

// A block from the global heap, zero-filled, freed at the end of scope.
using GlobalBlock = std::unique_ptr<void, decltype(&::GlobalFree)>;

GlobalBlock AllocateZeroed(SIZE_T size) { return GlobalBlock(::GlobalAlloc(GPTR, size), &::GlobalFree); }

}  // namespace

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

BOOL CLinkInfoPage::PreTranslateMessage(MSG* msg) {
  const bool key = msg->message == WM_KEYDOWN || msg->message == WM_KEYUP;
  if (key && (SameWindow(msg->hwnd, m_hWnd) || ::IsChild(m_hWnd, msg->hwnd))) return TRUE;
  return CBackdropPage::PreTranslateMessage(msg);
}

void CLinkInfoPage::OnTimer(UINT_PTR id) {
  m_reading = LinkReading{};
  m_reading.atMs = ::GetTickCount();
  m_reading.radioOff = Nv().NV_GetIsRadioOff() != 0;
  // The window is tied to the radio: while it is off the user reaches it only from the icon.
  if (m_reading.radioOff) ::ShowWindow(::GetParent(m_hWnd), SW_HIDE);
  if (Nv().NV_IsUnplug()) return OnAdapterGone();
  RefreshLinkInfo();
  LookUpIpAddress();
  ReportReading();
  CBackdropPage::OnTimer(id);
}

CPageHost* CLinkInfoPage::Host() const { return dynamic_cast<CPageHost*>(CWnd::FromHandle(::GetParent(m_hWnd))); }

BOOL CLinkInfoPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if ((id == IDC_QUALITY_BAR || id == IDC_SIGNAL_BAR) && HIWORD(wParam) == STN_DBLCLK) {
    if (CPageHost* main = Host()) main->OpenLinkMonitor();
    return TRUE;
  }
  return CBackdropPage::OnCommand(wParam, lParam);
}

void CLinkInfoPage::ReportReading() {
  if (CPageHost* main = Host()) main->OnLinkReading(m_reading);
}

void CLinkInfoPage::OnAdapterGone() {
  HWND parent = ::GetParent(m_hWnd);
  CPageHost* main = Host();
  ::ShowWindow(parent, SW_HIDE);
  if (main)
    main->StopPageTimers();  // this page's timer too: the ticks end here
  else
    KillTimer(kTimerId);
  PostLinkStatus(0);
  Nv().NV_Stop();
  // The main window restarts the library and this page's timer when the adapter returns.
  if (main) main->AdapterReady = FALSE;
  m_reading.adapterPresent = false;
  ReportReading();
}

void CLinkInfoPage::RefreshLinkInfo() {
  int32_t state = NV_LINK_NOT_ASSOCIATED;
  int32_t networkType = 0;
  char ssid[NV_SSID_BUFFER] = {};
  uint8_t bssid[NV_BSSID_BUFFER] = {};
  Nv().NV_GetStatusLinkInfo(&state, &networkType, ssid, bssid);
  m_status = LinkStatusText(state);
  m_reading.linkState = state;
  if (IsNoLinkState(state)) return ShowNoLink();

  m_ssid = BufferText(ssid, sizeof(ssid));
  const std::string peer = FormatMacAddress(bssid);
  m_status += " --- " + peer;
  m_connectionType = networkType ? "Infrastructure" : "Ad Hoc";
  ReadMacAddress();
  ReadRate();
  int32_t channelPlan = -1;  // the configuration page's concern
  Nv().NV_GetStatusChannelInfo(&channelPlan, &m_channel);
  UpdateData(FALSE);

  int32_t signal = 0;
  int32_t quality = 0;
  Nv().NV_GetStatusSignalInfo(&signal, &quality);
  m_reading.linked = true;
  m_reading.infrastructure = networkType != 0;
  m_reading.ssid = m_ssid;
  m_reading.bssid = peer;
  m_reading.channel = m_channel;
  m_reading.signal = signal;
  m_reading.quality = quality;
  PostLinkStatus(LinkStatusWord(signal, quality));
  m_qualityBar.SetPos(quality);  // the bars clamp to their range; the labels show the figure
  m_signalBar.SetPos(signal);
  SetPercentLabel(IDC_SIGNAL_PERCENT, PercentText(signal));
  SetPercentLabel(IDC_QUALITY_PERCENT, PercentText(quality));
}

void CLinkInfoPage::ShowNoLink() {
  m_txRate.clear();
  m_connectionType.clear();
  m_ssid.clear();
  UpdateData(FALSE);
  ::SetDlgItemTextA(m_hWnd, IDC_CHANNEL, "");  // whatever the channel value holds
  PostLinkStatus(0);
  m_qualityBar.SetPos(0);
  m_signalBar.SetPos(0);
  SetPercentLabel(IDC_SIGNAL_PERCENT, "");
  SetPercentLabel(IDC_QUALITY_PERCENT, "");
}

void CLinkInfoPage::ReadMacAddress() {
  char text[NV_MAC_TEXT_BUFFER] = {};
  Nv().NV_GetMacAddressString(text);
  m_macAddress = BufferText(text, sizeof(text));
}

void CLinkInfoPage::ReadRate() {
  int32_t autoRate = 0;
  int32_t rate1 = 0;
  int32_t rate2 = 0;
  int32_t rate55 = 0;
  int32_t rate11 = 0;
  Nv().NV_GetRates(&autoRate, &rate1, &rate2, &rate55, &rate11);
  if (const char* text = HighestRateText(rate1, rate2, rate55, rate11)) m_txRate = text;
}

void CLinkInfoPage::LookUpIpAddress() {
  ULONG size = 0;
  const DWORD asked = ::GetAdaptersInfo(nullptr, &size);
  if ((asked != ERROR_SUCCESS && asked != ERROR_BUFFER_OVERFLOW) || size == 0) return;
  GlobalBlock block = AllocateZeroed(size);
  if (!block) return;
  auto* first = static_cast<IP_ADAPTER_INFO*>(block.get());
  if (::GetAdaptersInfo(first, &size) != ERROR_SUCCESS) return;
  for (const IP_ADAPTER_INFO* adapter = first; adapter; adapter = adapter->Next) {
    if (FormatMacAddress(adapter->Address) != m_macAddress) continue;
    const IP_ADDRESS_STRING& address = adapter->IpAddressList.IpAddress;
    m_ipAddress = BufferText(address.String, sizeof(address.String));
    return;
  }
}

void CLinkInfoPage::PostLinkStatus(unsigned long status) {
  ::PostMessageA(::GetParent(m_hWnd), WM_LINK_STATUS, status, 0);
}

void CLinkInfoPage::SetPercentLabel(int id, const std::string& text) {
  CBitmapLabel& label = Label(id);
  label.ShowWindow(SW_HIDE);
  label.SetWindowText(text.c_str());
  label.ShowWindow(SW_SHOW);
}

CBitmapLabel& CLinkInfoPage::Label(int id) {
  size_t i = 0;
  while (i + 1 < kLabelIds.size() && kLabelIds[i] != id) ++i;
  return m_labels[i];
}

}  // namespace tarnel
