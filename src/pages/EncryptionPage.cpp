#include "pages/EncryptionPage.h"

#include <cstdio>

#include "crypto/HexKey.h"
#include "framework/KeepFocus.h"
#include "framework/WaitCursor.h"
#include "profiles/ProfileGlobals.h"
#include "resource.h"
#include "settings/Profiles.h"
#include "widgets/PageHost.h"

namespace tarnel {
namespace {

// The controls a format enables, disables and clears, in this order.
constexpr int kFormatControlIds[] = {
    IDC_KEY_FORMAT, IDC_PASSPHRASE, IDC_KEY1_RADIO, IDC_KEY2_RADIO, IDC_KEY3_RADIO,
    IDC_KEY4_RADIO, IDC_KEY1,       IDC_KEY2,       IDC_KEY3,       IDC_KEY4,
};
constexpr int kRadioIds[] = {IDC_KEY1_RADIO, IDC_KEY2_RADIO, IDC_KEY3_RADIO, IDC_KEY4_RADIO};
constexpr int kKeyEditIds[] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};

// Editing and moving keys pass whatever the format.
constexpr WORD kAlwaysPassingKeys[] = {VK_TAB, VK_ESCAPE, VK_BACK,  VK_END,  VK_HOME,
                                       VK_UP,  VK_DOWN,   VK_RIGHT, VK_LEFT, VK_DELETE};

// Selections whose keys are free text: none, the ASCII formats, and the generated formats
// whose key edits cannot be typed in.
bool AnyKeyPasses(int selection) {
  switch (selection) {
    case CB_ERR:
    case kKeyFormat64Ascii:
    case kKeyFormat128Ascii:
    case kKeyFormat64Passphrase:
    case kKeyFormat128Passphrase:
      return true;
    default:
      return false;
  }
}

// The virtual-key code read as a character: digit keys and the keypad codes 0x61-0x66 read
// as hex digits.
bool IsHexKeyCode(WORD code) {
  char text[2] = {};
  std::snprintf(text, sizeof(text), "%c", code);
  return IsHexText(text) != 0;
}

}  // namespace

CEncryptionPage::CEncryptionPage()
    : CBackdropPage(IDD_ENCRYPTION), m_labelBitmap(LoadBitmapResource(IDB_LABEL)) {
  m_networkKeyLabel.SetBackgroundBitmap(m_labelBitmap.Bitmap());
  m_defaultKeyLabel.SetBackgroundBitmap(m_labelBitmap.Bitmap());
}

void CEncryptionPage::DoDataExchange(CDataExchange* dx) {
  CBackdropPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_PASSPHRASE, m_passphraseEdit);
  DDX_Control(dx, IDC_KEY4, m_key4Edit);
  DDX_Control(dx, IDC_KEY3, m_key3Edit);
  DDX_Control(dx, IDC_KEY2, m_key2Edit);
  DDX_Control(dx, IDC_KEY1, m_key1Edit);
  DDX_Control(dx, IDC_ENCRYPTION_ENABLE, m_encryptionCheck);
  DDX_Control(dx, IDC_KEY_FORMAT, m_formatList);
  DDX_Control(dx, IDC_PASSPHRASE_LABEL, m_passphraseLabel);
  DDX_Control(dx, IDC_NETWORK_KEY_LABEL, m_networkKeyLabel);
  DDX_Control(dx, IDC_KEY_FORMAT_LABEL, m_keyFormatLabel);
  DDX_Control(dx, IDC_DEFAULT_KEY_LABEL, m_defaultKeyLabel);
}

BOOL CEncryptionPage::OnInitDialog() {
  const BOOL result = CBackdropPage::OnInitDialog();
  m_showsProfile = false;
  // The store reads texts back into 260-byte areas: a longer passphrase would come back empty
  // and take the keys generated from it along.
  m_passphraseEdit.SendMessage(EM_LIMITTEXT, kKeyAreaSize - 1);
  return result;
}

std::array<CWnd*, 4> CEncryptionPage::KeyEdits() { return {&m_key1Edit, &m_key2Edit, &m_key3Edit, &m_key4Edit}; }

std::array<const CWnd*, 4> CEncryptionPage::KeyEdits() const {
  return {&m_key1Edit, &m_key2Edit, &m_key3Edit, &m_key4Edit};
}

bool CEncryptionPage::IsKeyEdit(HWND hwnd) const {
  for (const CWnd* edit : KeyEdits())
    if (hwnd && SameWindow(edit->m_hWnd, hwnd)) return true;
  return false;
}

int CEncryptionPage::ListSelection() const {
  return static_cast<int>(::SendMessageA(m_formatList.m_hWnd, CB_GETCURSEL, 0, 0));
}

bool CEncryptionPage::IsChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void CEncryptionPage::SetChecked(int id, bool checked) {
  ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CEncryptionPage::EnableControl(int id, bool enable) { ::EnableWindow(GetDlgItem(id), enable); }

void CEncryptionPage::SetMask(CWnd& edit, char mask) {
  edit.SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(mask));
  edit.Invalidate();
  edit.UpdateWindow();
}

void CEncryptionPage::UnmaskIfEmpty(CWnd& edit) {
  // Already clear: spare the repaint that the poll would otherwise cause every tick.
  if (::GetWindowTextLengthA(edit.m_hWnd) == 0 && edit.SendMessage(EM_GETPASSWORDCHAR) != 0) SetMask(edit, 0);
}

void CEncryptionPage::SetEditText(CWnd& edit, const char* text) {
  edit.SetWindowText(text);
  edit.Invalidate();
  edit.UpdateWindow();
}

void CEncryptionPage::UpdateFormatControls(KeyFormat format) {
  KeepFocus focus;  // the format list, chosen from the keyboard, keeps it
  const int length = KeyTextLength(format);
  for (int id : kFormatControlIds) EnableControl(id, false);
  // Each of these runs its change event: the passphrase's with the selection as it is now.
  m_passphraseEdit.SetWindowText("");
  for (CWnd* edit : KeyEdits()) edit->SetWindowText("");

  if (format == kKeyFormatOff) {
    m_formatList.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1));
    m_passphraseEdit.SetWindowText("");
    if (IsChecked(IDC_ENCRYPTION_ENABLE)) EnableControl(IDC_KEY_FORMAT, true);
    return;
  }
  EnableControl(IDC_KEY_FORMAT, true);
  if (IsPassphraseFormat(format)) {
    // The keys come from the passphrase: their edits stay disabled.
    EnableControl(IDC_PASSPHRASE, true);
    for (int id : kRadioIds) EnableControl(id, true);
    return;
  }
  for (int id : kRadioIds) EnableControl(id, true);
  for (CWnd* edit : KeyEdits()) {
    ::EnableWindow(edit->m_hWnd, TRUE);
    edit->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(length));  // 0: the platform's largest
  }
}

void CEncryptionPage::ReloadEncryption() {
  if (!m_hWnd) return;
  m_showsProfile = true;
  settings::EncryptionValues stored;
  settings::LoadEncryption(CurrentProfileName, &stored);
  const KeyFormat format = stored.format;
  const int32_t keyIndex = stored.keyIndex;

  UpdateFormatControls(format);
  // Unticked only now: a box ticked before keeps the list enabled by the step above.
  if (format == kKeyFormatOff) {
    SetChecked(IDC_ENCRYPTION_ENABLE, false);
  } else {
    SetChecked(IDC_ENCRYPTION_ENABLE, true);
    m_formatList.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(format));
    for (CWnd* edit : KeyEdits()) SetMask(*edit, '*');
    SetMask(m_passphraseEdit, '*');
  }
  if (keyIndex >= 0 && keyIndex < 4)
    for (int i = 0; i < 4; ++i) SetChecked(kRadioIds[i], i == keyIndex);

  // In a passphrase format the passphrase comes last and regenerates the keys shown.
  const std::array<CWnd*, 4> edits = KeyEdits();
  for (int i = 0; i < 4; ++i) SetEditText(*edits[i], stored.keys[i].c_str());
  SetEditText(m_passphraseEdit, stored.passphrase.c_str());
}

settings::EncryptionValues CEncryptionPage::CollectForm() const {
  settings::EncryptionValues form;
  const int selection = ListSelection();
  form.format = IsChecked(IDC_ENCRYPTION_ENABLE) && selection != CB_ERR ? selection : kKeyFormatOff;
  form.keyIndex = -1;
  for (int i = 0; i < 4; ++i) {
    if (IsChecked(kRadioIds[i])) {
      form.keyIndex = i;
      break;
    }
  }
  const std::array<const CWnd*, 4> edits = KeyEdits();
  for (int i = 0; i < 4; ++i) form.keys[i] = edits[i]->GetWindowText();
  settings::FillUpKeys(&form);
  form.passphrase = m_passphraseEdit.GetWindowText();
  return form;
}

bool CEncryptionPage::HoldsChanges() const { return m_hWnd && m_showsProfile && IsEncryptionModified(); }

int CEncryptionPage::IsEncryptionModified() const {
  settings::EncryptionValues stored;
  settings::LoadEncryption(CurrentProfileName, &stored);
  const settings::EncryptionValues form = CollectForm();
  if (form.format != stored.format || form.keyIndex != stored.keyIndex) return 1;
  return form.keys != stored.keys ? 1 : 0;
}

void CEncryptionPage::OnPassphraseChange() {
  const int selection = ListSelection();
  if (selection != kKeyFormat64Passphrase && selection != kKeyFormat128Passphrase) return;
  const std::string passphrase = m_passphraseEdit.GetWindowText();
  const std::array<CWnd*, 4> edits = KeyEdits();
  if (passphrase.empty()) {
    for (CWnd* edit : edits) SetMask(*edit, 0);
    SetMask(m_passphraseEdit, 0);
    for (CWnd* edit : edits) edit->SetWindowText("");
    return;
  }
  const std::array<std::string, 4> texts = settings::PassphraseKeys(selection, passphrase);
  for (int i = 0; i < 4; ++i) edits[i]->SetWindowText(texts[i].c_str());
}

void CEncryptionPage::ApplyEncryption() {
  if (!m_hWnd) return;  // no form to apply: storing one would wipe the profile's keys
  CWaitCursor wait;
  settings::EncryptionValues form = CollectForm();
  const std::array<CWnd*, 4> edits = KeyEdits();
  for (int i = 0; i < 4; ++i) edits[i]->SetWindowText(form.keys[i].c_str());
  if (form.keyIndex == -1) {
    form.keyIndex = 0;
    SetChecked(IDC_KEY1_RADIO, true);
  }
  settings::ApplyEncryption(CurrentProfileName, form);
  TellUserChange();
}

void CEncryptionPage::OnFormatChosen() {
  UpdateFormatControls(IsChecked(IDC_ENCRYPTION_ENABLE) ? ListSelection() : kKeyFormatOff);
}

BOOL CEncryptionPage::OnSetActive() {
  SetTimer(kReloadTimerId, kReloadDelayMs);
  SetTimer(kPollTimerId, kPollPeriodMs);
  return CBackdropPage::OnSetActive();
}

bool CEncryptionPage::KeyPasses(const MSG& msg) const {
  if (msg.message != WM_KEYDOWN) return true;
  const WORD code = LOWORD(msg.wParam);
  for (WORD key : kAlwaysPassingKeys)
    if (code == key) return true;
  if (AnyKeyPasses(ListSelection())) return true;
  if (!IsKeyEdit(msg.hwnd)) return true;
  // The code, not the character the key would type: Ctrl+V stops at "V", Ctrl+C passes.
  return IsHexKeyCode(code);
}

BOOL CEncryptionPage::PreTranslateMessage(MSG* msg) {
  if (!KeyPasses(*msg)) return TRUE;
  return CBackdropPage::PreTranslateMessage(msg);
}

BOOL CEncryptionPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  switch (id) {
    case IDC_ENCRYPTION_ENABLE:
      if (code != BN_CLICKED) break;
      OnFormatChosen();
      return TRUE;
    case IDC_KEY_FORMAT:
      if (code != CBN_SELCHANGE) break;
      OnFormatChosen();
      return TRUE;
    case IDC_PASSPHRASE:
      if (code != EN_CHANGE) break;
      OnPassphraseChange();
      return TRUE;
    case IDC_ENCRYPTION_APPLY:
      if (code != BN_CLICKED) break;
      ApplyEncryption();
      return TRUE;
    case IDC_ENCRYPTION_CANCEL:
      if (code != BN_CLICKED) break;
      ReloadEncryption();
      return TRUE;
    default:
      for (int i = 0; i < 4; ++i) {
        if (id != kKeyEditIds[i] || code != EN_CHANGE) continue;
        // What is typed into a cleared key shows in clear.
        UnmaskIfEmpty(*KeyEdits()[i]);
        return TRUE;
      }
      break;
  }
  return CBackdropPage::OnCommand(wParam, lParam);
}

void CEncryptionPage::OnTimerReload() {
  CWaitCursor wait;
  settings::ReloadCurrentProfileName();
  ReloadEncryption();
  KillTimer(kReloadTimerId);
}

void CEncryptionPage::OnTimerPoll() {
  for (CWnd* edit : KeyEdits()) UnmaskIfEmpty(*edit);
  UnmaskIfEmpty(m_passphraseEdit);
  UpdateChangeButtons();
}

void CEncryptionPage::UpdateChangeButtons() {
  KeepFocus focus;
  const BOOL modified = IsEncryptionModified() ? TRUE : FALSE;
  EnableControl(IDC_ENCRYPTION_APPLY, modified);
  EnableControl(IDC_ENCRYPTION_CANCEL, modified);
}

void CEncryptionPage::OnOK() {
  // What was typed since the last check counts: the buttons are brought up to date first.
  UpdateChangeButtons();
  if (::IsWindowEnabled(GetDlgItem(IDC_ENCRYPTION_APPLY))) PressButton(IDC_ENCRYPTION_APPLY);
}

void CEncryptionPage::OnTimer(UINT_PTR id) {
  if (id == kReloadTimerId)
    OnTimerReload();
  else if (id == kPollTimerId)
    OnTimerPoll();
  else
    CBackdropPage::OnTimer(id);
}

HBRUSH CEncryptionPage::OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) {
  // Only the check box and the first key's radio button draw over the backdrop.
  const bool buttonOrStatic = ctlColorMsg == WM_CTLCOLORBTN || ctlColorMsg == WM_CTLCOLORSTATIC;
  const int id = ::GetDlgCtrlID(control);
  if (buttonOrStatic && (id == IDC_ENCRYPTION_ENABLE || id == IDC_KEY1_RADIO)) return TransparentColors(dc);
  return CBackdropPage::OnCtlColor(dc, control, ctlColorMsg);
}

void CEncryptionPage::OnShowWindow(BOOL show, UINT status) {
  if (show) {
    m_networkKeyLabel.Invalidate();
    m_keyFormatLabel.Invalidate();
    m_defaultKeyLabel.Invalidate();
  } else {
    KillTimer(kPollTimerId);
  }
  CBackdropPage::OnShowWindow(show, status);
}

}  // namespace tarnel
