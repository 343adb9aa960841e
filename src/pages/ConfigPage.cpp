#include "pages/ConfigPage.h"

#include <vector>

#include "adapter/NvLibrary.h"
#include "framework/KeepFocus.h"
#include "framework/WaitCursor.h"
#include "pages/EncryptionPage.h"
#include "adapter/portable/ChannelPlan.h"
#include "settings/portable/ProfileName.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"
#include "resource.h"
#include "settings/Profiles.h"
#include "widgets/PageHost.h"

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
  DDX_Text(dx, IDC_SSID, m_loaded.ssid);
  // The box never takes more than the 33-byte buffers of the store and the driver hold.
  if (!dx->m_bSaveAndValidate)
    ::SendDlgItemMessageA(m_hWnd, IDC_SSID, EM_LIMITTEXT, settings::kMaxNetworkNameLength, 0);
}

BOOL CConfigPage::OnInitDialog() {
  CBackdropPage::OnInitDialog();
  m_showsProfile = false;
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
    case kCheckTimerId:
      UpdateChangeButtons();
      return;
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

HBRUSH CConfigPage::OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) {
  const bool buttonOrStatic = ctlColorMsg == WM_CTLCOLORBTN || ctlColorMsg == WM_CTLCOLORSTATIC;
  if (buttonOrStatic && ::GetDlgCtrlID(control) == IDC_AUTO_CONNECT) return TransparentColors(dc);
  return CBackdropPage::OnCtlColor(dc, control, ctlColorMsg);
}

void CConfigPage::UpdateChangeButtons() {
  KeepFocus focus;
  const BOOL modified = IsConfigurationModified() ? TRUE : FALSE;
  ::EnableWindow(GetDlgItem(IDC_CONFIG_APPLY), modified);
  ::EnableWindow(GetDlgItem(IDC_CONFIG_CANCEL), modified);
}

void CConfigPage::OnOK() {
  if (SameWindow(::GetFocus(), GetDlgItem(IDC_PROFILE_NAME))) return PressButton(IDC_PROFILE_ADD);
  // What was typed since the last check counts: the buttons are brought up to date first.
  UpdateChangeButtons();
  if (::IsWindowEnabled(GetDlgItem(IDC_CONFIG_APPLY))) PressButton(IDC_CONFIG_APPLY);
}

int CConfigPage::Selection(int comboId) const {
  return static_cast<int>(::SendDlgItemMessageA(m_hWnd, comboId, CB_GETCURSEL, 0, 0));
}

// A position outside the list leaves it with no selection.
void CConfigPage::Select(int comboId, int position) {
  ::SendDlgItemMessageA(m_hWnd, comboId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

settings::ConfigurationValues CConfigPage::Shown() const {
  settings::ConfigurationValues shown;
  shown.ssid = m_loaded.ssid;
  shown.netMode = Selection(IDC_WIRELESS_MODE);
  shown.channel = Selection(IDC_CHANNEL_LIST) + 1;
  shown.txRate = Selection(IDC_TX_RATE_LIST);
  shown.powerMode = Selection(IDC_POWER_MODE);
  shown.autoConnect = ::IsDlgButtonChecked(m_hWnd, IDC_AUTO_CONNECT) == BST_CHECKED;
  shown.priority = m_loaded.priority;  // not on the page: kept as stored
  return shown;
}

void CConfigPage::TakeNetworkName() {
  m_loaded.ssid = GetWindowText(GetDlgItem(IDC_SSID));
  if (m_loaded.ssid.size() > static_cast<size_t>(settings::kMaxNetworkNameLength))
    m_loaded.ssid.resize(settings::kMaxNetworkNameLength);
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
  settings::ReloadCurrentProfileName();
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
  settings::LoadConfiguration(CurrentProfileName, &m_loaded);
  Select(IDC_WIRELESS_MODE, m_loaded.netMode);
  Select(IDC_POWER_MODE, m_loaded.powerMode);
  Select(IDC_CHANNEL_LIST, m_loaded.channel - 1);
  Select(IDC_TX_RATE_LIST, m_loaded.txRate);
  ::CheckDlgButton(m_hWnd, IDC_AUTO_CONNECT, m_loaded.autoConnect ? BST_CHECKED : BST_UNCHECKED);
  UpdateData(FALSE);
  m_showsProfile = true;
}

bool CConfigPage::HoldsChanges() { return m_hWnd && m_showsProfile && IsConfigurationModified(); }

bool CConfigPage::IsConfigurationModified() {
  // Preset to the store's own defaults, for a store that cannot be read at all.
  settings::ConfigurationValues stored;
  settings::LoadConfiguration(CurrentProfileName, &stored);
  TakeNetworkName();
  return Shown() != stored;
}

void CConfigPage::ApplyConfiguration() {
  CWaitCursor wait;
  // What the box shows now, not what the last change check saw.
  TakeNetworkName();
  if (CurrentProfileName.empty()) CurrentProfileName = "Default";
  settings::ApplyConfiguration(CurrentProfileName, Shown());
  TellUserChange();
}

CEncryptionPage* CConfigPage::EncryptionPage() const {
  auto* host = dynamic_cast<CPageHost*>(GetParent());
  auto* page = host ? dynamic_cast<CEncryptionPage*>(host->PageTable(kEncryptionPageIndex)) : nullptr;
  return page && page->m_hWnd ? page : nullptr;
}

void CConfigPage::AddProfile() {
  const std::string name = GetWindowText(GetDlgItem(IDC_PROFILE_NAME));
  if (!IsUsableProfileName(name)) return;
  // A new profile starts at priority 0; one of that name already stored keeps its own.
  bool wasOn = false;
  m_loaded.priority = 0;
  LoadProfileAutoConnect(name.c_str(), &wasOn, &m_loaded.priority);
  AddToProfileList(name.c_str());
  LoadProfileList();
  FillProfileListBox();
  HWND list = GetDlgItem(IDC_PROFILE_LIST);
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  CurrentProfileName = name;
  ApplyConfiguration();
  if (CEncryptionPage* encryption = EncryptionPage()) encryption->ApplyEncryption();
  TellProfileSwitched(false);
}

void CConfigPage::RemoveProfile() {
  HWND list = GetDlgItem(IDC_PROFILE_LIST);
  const int selected = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
  const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (selected < 0) return;
  settings::RemoveProfile(ListBoxText(list, selected));
  ::SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(settings::SelectionAfterRemoval(selected, count)), 0);
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
  UseProfile(name, false);
}

void CConfigPage::SwitchToProfile(const std::string& name, bool automatic) {
  CWaitCursor wait;
  UseProfile(name, automatic);
  LoadProfileList();
  FillProfileListBox();
  SelectCurrentProfileEntry();
}

void CConfigPage::UseProfile(const std::string& name, bool automatic) {
  CEncryptionPage* encryption = EncryptionPage();
  settings::PageState pages;
  pages.channelCount = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_CHANNEL_LIST, CB_GETCOUNT, 0, 0));
  pages.configuration = m_loaded;
  if (encryption) pages.keyIndex = encryption->CollectForm().keyIndex;
  // Both halves are stored again and sent as the pages show them; then the pages show them.
  settings::UseProfile(name, pages);
  ReloadConfiguration();
  if (encryption) encryption->ReloadEncryption();
  // The user's own choice holds back what acts on the user's behalf; an automatic one does not.
  if (!automatic) TellUserChange();
  TellProfileSwitched(automatic);
}

void CConfigPage::TellProfileSwitched(bool automatic) {
  if (auto* host = dynamic_cast<CPageHost*>(GetParent())) host->OnProfileSwitched(CurrentProfileName, m_loaded.ssid, automatic);
}

}  // namespace tarnel
