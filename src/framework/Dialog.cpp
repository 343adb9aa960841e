#include "framework/Dialog.h"

#include <cstdlib>
#include <cstring>

namespace tarnel {

namespace {
// The dialog being created: the dialog procedure attaches it at the first message it sees.
thread_local CDialog* t_creating = nullptr;
}  // namespace

// Pages transfer their values on every refresh: an unchanged text is left alone, so the control
// neither repaints nor notifies its parent.
void SetWindowTextIfChanged(HWND item, const char* text) {
  if (CWnd::GetWindowText(item) != text) ::SetWindowTextA(item, text);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!control.m_hWnd) control.SubclassDlgItem(id, dx->m_pDlgWnd);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  HWND item = dx->m_pDlgWnd->GetDlgItem(id);
  if (dx->m_bSaveAndValidate)
    value = CWnd::GetWindowText(item);
  else
    SetWindowTextIfChanged(item, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  HWND item = dx->m_pDlgWnd->GetDlgItem(id);
  if (dx->m_bSaveAndValidate) {
    value = std::atoi(CWnd::GetWindowText(item).c_str());
  } else {
    char text[16];
    wsprintfA(text, "%d", value);
    SetWindowTextIfChanged(item, text);
  }
}

CDialog::~CDialog() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FromHandle(hwnd) || !t_creating) return FALSE;
  CDialog* dialog = t_creating;
  t_creating = nullptr;
  dialog->SubclassWindow(hwnd);
  // The first message arrived before the subclass: hand the initialisation over directly.
  if (msg == WM_INITDIALOG) return static_cast<INT_PTR>(dialog->WindowProc(msg, wParam, lParam));
  return FALSE;
}

BOOL CDialog::Create(CWnd* parent) {
  if (m_hWnd) return FALSE;
  m_pParentWnd = parent;
  t_creating = this;
  HWND hwnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId),
                                   parent ? parent->m_hWnd : nullptr, &CDialog::DialogProc, 0);
  t_creating = nullptr;
  return hwnd != nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  m_endModal = false;
  m_modalResult = -1;
  if (!Create(m_pParentWnd)) return -1;
  if (owner) ::EnableWindow(owner, FALSE);
  MSG msg;
  while (!m_endModal && m_hWnd) {
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    PumpMessage(msg);
  }
  if (owner) ::EnableWindow(owner, TRUE);
  if (m_hWnd) DestroyWindow();
  return m_modalResult;
}

void CDialog::PumpMessage(MSG& msg) {
  if (PreTranslateShortcut(&msg)) return;
  if (RunPreTranslate(msg)) return;
  if (m_hWnd && ::IsDialogMessageA(m_hWnd, &msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

bool CDialog::RunPreTranslate(MSG& msg) {
  for (HWND hwnd = msg.hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    if (CWnd* wnd = FromHandle(hwnd))
      if (wnd->PreTranslateMessage(&msg)) return true;
    if (SameWindow(hwnd, m_hWnd)) break;
  }
  return false;
}

void CDialog::EndDialog(INT_PTR result) {
  m_modalResult = result;
  m_endModal = true;
  if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::PressButton(int id) {
  ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(id)));
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate != FALSE);
  DoDataExchange(&dx);
  return TRUE;
}

// List items that come with a template: records of control id, message, length and text,
// ended by a zero id, in a resource of type 240 with the template's number.
void CDialog::ExecuteDlgInit() {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(240));
  if (!found) return;
  const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
  const DWORD size = ::SizeofResource(module, found);
  if (!data) return;
  constexpr DWORD kHeader = 8;  // WORD id, WORD message, DWORD length
  for (DWORD at = 0; at + 2 <= size;) {
    WORD id, message;
    DWORD length;
    memcpy(&id, data + at, 2);
    if (id == 0 || at + kHeader > size) break;
    memcpy(&message, data + at + 2, 2);
    memcpy(&length, data + at + 4, 4);
    at += kHeader;
    if (length > size - at) break;
    std::string text(reinterpret_cast<const char*>(data + at), length);
    at += length;
    text = text.c_str();  // up to the record's own terminator
    const UINT addString = message == 0x403 ? CB_ADDSTRING : message == 0x401 ? LB_ADDSTRING : 0;
    if (addString) ::SendDlgItemMessageA(m_hWnd, id, addString, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    ExecuteDlgInit();
    return OnInitDialog();
  }
  return CWnd::WindowProc(msg, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  if (HIWORD(wParam) != BN_CLICKED && lParam != 0) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
  }
  return FALSE;
}

BOOL CPropertyPage::OnSetActive() {
  // The first activation follows initialisation, which already filled the controls.
  if (m_firstSetActive)
    m_firstSetActive = false;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::Create(CWnd* parent) { return CDialog::Create(parent); }

BOOL CPropertyPage::OnInitDialog() {
  m_firstSetActive = true;  // a page created again starts over
  return CDialog::OnInitDialog();
}

}  // namespace tarnel
