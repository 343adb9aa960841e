#include "pages/ConfigPage.h"

#include <vector>

#include "adapter/NvLibrary.h"
#include "app/TarnelDlg.h"
#include "framework/WaitCursor.h"
#include "pages/EncryptionPage.h"
#include "pages/portable/ChannelPlan.h"
#include "pages/portable/ProfileName.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"
#include "resource.h"

namespace tarnel {

namespace {

// The encryption page's place in the main window's page table.
constexpr int kEncryptionPageIndex = 2;

std::string ListBoxText(HWND list, int index) {
  const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  ::SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

}  // namespace

const std::array<int, 6> CConfigPage::kLabelIds = {
    IDC_SSID_LABEL,    IDC_WIRELESS_MODE_LABEL, IDC_CHANNEL_LABEL,
    IDC_TX_RATE_LABEL, IDC_POWER_MODE_LABEL,    IDC_PROFILE_LABEL,
};

CConfigPage::CConfigPage() : CBackdropPage(IDD_CONFIG), m_labelBitmap(LoadBitmapResource(IDB_LABEL)) {
  m_labels.back().SetBackgroundBitmap(m_labelBitmap.Bitmap());
}

void CConfigPage::DoDataExchange(CDataExchange* dx) {
  CBackdropPage::DoDataExchange(dx);
  for (size_t i = 0; i < kLabelIds.size(); ++i) DDX_Control(dx, kLabelIds[i], m_labels[i]);
  DDX_Text(dx, IDC_SSID, m_ssid);
  // The box never takes more than the 33-byte buffers of the store and the driver hold.
  if (!dx->m_bSaveAndValidate) ::SendDlgItemMessageA(m_hWnd, IDC_SSID, EM_LIMITTEXT, kMaxNetworkNameLength, 0);
}

BOOL CConfigPage::OnInitDialog() {
  CBackdropPage::OnInitDialog();
  FillChannelList();
  return TRUE;
}

BOOL CConfigPage::OnSetActive() {
  SetTimer(kRefreshTimerId, kRefreshDelayMs);
  SetTimer(kCheckTimerId, kCheckPeriodMs);
  return CBackdropPage::OnSetActive();
}

void CConfigPage::OnShowWindow(BOOL show, UINT status) {
  if (!show) KillTimer(kCheckTimerId);
  CBackdropPage::OnShowWindow(show, status);
}

void CConfigPage::OnTimer(UINT_PTR id) {
  switch (id) {
    case kRefreshTimerId:
      RefreshProfileList();
      return;
    case kCheckTimerId: {
      const BOOL modified = IsConfigurationModified() ? TRUE : FALSE;
      ::EnableWindow(GetDlgItem(IDC_CONFIG_APPLY), modified);
      ::EnableWindow(GetDlgItem(IDC_CONFIG_CANCEL), modified);
      return;
    }
    default:
      CBackdropPage::OnTimer(id);
  }
}

BOOL CConfigPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_CONFIG_APPLY:
        ApplyConfiguration();
        return TRUE;
      case IDC_CONFIG_CANCEL:
        ReloadConfiguration();
        return TRUE;
      case IDC_PROFILE_ADD:
        AddProfile();
        return TRUE;
      case IDC_PROFILE_REMOVE:
        RemoveProfile();
        return TRUE;
      default:
        break;
    }
  }
  if (id == IDC_PROFILE_LIST && code == LBN_SELCHANGE) {
    SelectProfile();
    return TRUE;
  }
  return CBackdropPage::OnCommand(wParam, lParam);
}

int CConfigPage::Selection(int comboId) const {
  return static_cast<int>(::SendDlgItemMessageA(m_hWnd, comboId, CB_GETCURSEL, 0, 0));
}

// A position outside the list leaves it with no selection.
void CConfigPage::Select(int comboId, int position) {
  ::SendDlgItemMessageA(m_hWnd, comboId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void CConfigPage::TakeNetworkName() {
  m_ssid = GetWindowText(GetDlgItem(IDC_SSID));
  if (m_ssid.size() > static_cast<size_t>(kMaxNetworkNameLength)) m_ssid.resize(kMaxNetworkNameLength);
}

void CConfigPage::FillChannelList() {
  int32_t plan = -1;
  int32_t channel = -1;
  Nv().NV_GetStatusChannelInfo(&plan, &channel);
  HWND list = GetDlgItem(IDC_CHANNEL_LIST);
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (int number : ChannelPlanEntries(plan)) {
    const std::string text = std::to_string(number);
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void CConfigPage::RefreshProfileList() {
  CWaitCursor wait;
  KillTimer(kRefreshTimerId);
  char name[kProfileNameBufferSize] = {0};
  CurrentProfileName.copy(name, sizeof(name) - 1);
  GetCurrentProfile(name);
  CurrentProfileName = name;
  ReloadConfiguration();
  LoadProfileList();
  FillProfileListBox();
  SelectCurrentProfileEntry();
}

void CConfigPage::FillProfileListBox() {
  HWND list = GetDlgItem(IDC_PROFILE_LIST);
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : ProfileNameList)
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void CConfigPage::SelectCurrentProfileEntry() {
  int selected = -1;
  for (size_t i = 0; i < ProfileNameList.size(); ++i) {
    // The registry itself ignores letter case in names.
    if (::lstrcmpiA(ProfileNameList[i].c_str(), CurrentProfileName.c_str()) == 0) selected = static_cast<int>(i);
  }
  ::SendDlgItemMessageA(m_hWnd, IDC_PROFILE_LIST, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void CConfigPage::ReloadConfiguration() {
  CWaitCursor wait;
  char ssid[kSsidBufferSize] = {0};
  m_ssid.copy(ssid, kMaxNetworkNameLength);
  LoadProfileSettings(CurrentProfileName.c_str(), ssid, &m_netMode, &m_channel, &m_txRate, &m_powerMode);
  m_ssid = ssid;
  Select(IDC_WIRELESS_MODE, m_netMode);
  Select(IDC_POWER_MODE, m_powerMode);
  Select(IDC_CHANNEL_LIST, m_channel - 1);
  Select(IDC_TX_RATE_LIST, m_txRate);
  UpdateData(FALSE);
}

bool CConfigPage::IsConfigurationModified() {
  // Preset to the store's own defaults, for a store that cannot be read at all.
  char ssid[kSsidBufferSize] = {0};
  int32_t netMode = 1, channel = 1, txRate = 0, powerMode = 0;
  LoadProfileSettings(CurrentProfileName.c_str(), ssid, &netMode, &channel, &txRate, &powerMode);
  TakeNetworkName();
  return m_ssid != ssid || Selection(IDC_WIRELESS_MODE) != netMode || Selection(IDC_POWER_MODE) != powerMode ||
         Selection(IDC_CHANNEL_LIST) + 1 != channel || Selection(IDC_TX_RATE_LIST) != txRate;
}

void CConfigPage::ApplyConfiguration() {
  CWaitCursor wait;
  // What the box shows now, not what the last change check saw.
  TakeNetworkName();
  const int32_t mode = Selection(IDC_WIRELESS_MODE);
  const int32_t power = Selection(IDC_POWER_MODE);
  const int32_t channel = Selection(IDC_CHANNEL_LIST) + 1;
  const int32_t rate = Selection(IDC_TX_RATE_LIST);
  if (CurrentProfileName.empty()) CurrentProfileName = "Default";
  SaveProfileSettings(CurrentProfileName.c_str(), m_ssid.c_str(), mode, channel, rate, power);

  char ssid[kSsidBufferSize] = {0};
  m_ssid.copy(ssid, kMaxNetworkNameLength);
  Nv().NV_SetNetworkType(mode);
  Nv().NV_SetSSID(ssid);
  Nv().NV_SetPowerSaveMode(power);
  Nv().NV_SetChannel(channel);
  const RateSetting rates = ApplyRateChoice(FindNetworkRates(m_ssid), rate);
  Nv().NV_SetRates(rates.autoFlag, rates.rates[0], rates.rates[1], rates.rates[2], rates.rates[3]);
  Nv().NV_Rescan();
}

RateFlags CConfigPage::FindNetworkRates(const std::string& name) {
  std::vector<uint8_t> records(NV_SURVEY_BUFFER, 0);
  const int32_t count = Nv().NV_SiteSurvey(records.data());
  return SurveyRatesOf(records.data(), records.size(), count, name);
}

CEncryptionPage* CConfigPage::EncryptionPage() const {
  auto* main = dynamic_cast<CTarnel_UIDlg*>(GetParent());
  auto* page = main ? dynamic_cast<CEncryptionPage*>(main->PageTable(kEncryptionPageIndex)) : nullptr;
  return page && page->m_hWnd ? page : nullptr;
}

void CConfigPage::AddProfile() {
  const std::string name = GetWindowText(GetDlgItem(IDC_PROFILE_NAME));
  if (!IsUsableProfileName(name)) return;
  AddToProfileList(name.c_str());
  LoadProfileList();
  FillProfileListBox();
  HWND list = GetDlgItem(IDC_PROFILE_LIST);
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  CurrentProfileName = name;
  ApplyConfiguration();
  if (CEncryptionPage* encryption = EncryptionPage()) encryption->ApplyEncryption();
}

void CConfigPage::RemoveProfile() {
  HWND list = GetDlgItem(IDC_PROFILE_LIST);
  const int selected = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
  const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (selected < 0) return;
  const std::string name = ListBoxText(list, selected);
  RemoveFromProfileList(name.c_str());
  DeleteProfileName(name.c_str());
  DeleteProfileKey(name.c_str());
  ::SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  const int next = selected == count - 1 ? selected - 1 : selected;
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
  SelectProfile();
}

void CConfigPage::SelectProfile() {
  CWaitCursor wait;
  const int selected = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_PROFILE_LIST, LB_GETCURSEL, 0, 0));
  LoadProfileList();
  std::string name = "Default";
  if (!ProfileNameList.empty()) {
    if (selected < 0 || selected >= static_cast<int>(ProfileNameList.size())) {
      // The registry changed since the box was filled: show what it holds now, apply nothing.
      FillProfileListBox();
      SelectCurrentProfileEntry();
      return;
    }
    name = ProfileNameList[static_cast<size_t>(selected)];
  }
  SetCurrentProfile(name.c_str());
  CurrentProfileName = name;
  ReloadConfiguration();
  ApplyConfiguration();
  if (CEncryptionPage* encryption = EncryptionPage()) {
    encryption->ReloadEncryption();
    encryption->ApplyEncryption();
  }
}

}  // namespace tarnel
