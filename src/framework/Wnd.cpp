#include "framework/Wnd.h"

#include <cstdint>
#include <unordered_map>

#include "framework/StringResource.h"

namespace tarnel {

namespace {

std::unordered_map<HWND, CWnd*>& HandleMap() {
  static std::unordered_map<HWND, CWnd*> map;
  return map;
}

bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

}  // namespace

HWND CanonicalHandle(HWND hwnd) {
  auto low = static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)));
  return reinterpret_cast<HWND>(static_cast<intptr_t>(low));
}

HINSTANCE AfxGetResourceHandle() { return ::GetModuleHandleA(nullptr); }

std::string LoadStringResource(UINT id) {
  return ReadStringResource(AfxGetResourceHandle(), id).substr(0, 511);  // as a 512-byte buffer held it
}

CWnd::~CWnd() {
  if (m_hWnd) DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = HandleMap().find(CanonicalHandle(hwnd));
  return it == HandleMap().end() ? nullptr : it->second;
}

bool CWnd::SubclassWindow(HWND hwnd) {
  if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
  m_hWnd = CanonicalHandle(hwnd);
  HandleMap()[m_hWnd] = this;
  m_originalProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
  return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent) {
  return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
  HWND hwnd = m_hWnd;
  if (hwnd && m_originalProc)
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
  Detach();
  return hwnd;
}

void CWnd::Detach() {
  if (m_hWnd) HandleMap().erase(m_hWnd);
  m_hWnd = nullptr;
  m_originalProc = nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  HWND hwnd = m_hWnd;
  BOOL done = ::DestroyWindow(hwnd);
  if (SameWindow(m_hWnd, hwnd) && !::IsWindow(hwnd)) Detach();  // destroyed without reaching WM_NCDESTROY here
  return done;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandle(hwnd);
  if (!wnd) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  Message saved = wnd->m_current;
  wnd->m_current = {msg, wParam, lParam};
  LRESULT result = wnd->WindowProc(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    wnd->Detach();
    wnd->PostNcDestroy();
  } else {
    wnd->m_current = saved;
  }
  return result;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(wParam, lParam, &result)) return result;
      break;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_ERASEBKGND:
      return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_SHOWWINDOW:
      OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      if (IsCtlColorMessage(msg))
        return reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), msg));
      break;
  }
  return DefWindowProc(msg, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_originalProc) return ::CallWindowProcA(m_originalProc, m_hWnd, msg, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.msg, m_current.wParam, m_current.lParam); }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Notifications from controls go back to the control first (reflection).
  if (CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
    LRESULT result = 0;
    if (control != this && control->OnChildNotify(WM_COMMAND, wParam, lParam, &result)) return TRUE;
  }
  return FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (CWnd* control = FromHandle(header ? header->hwndFrom : nullptr))
    if (control != this) return control->OnChildNotify(WM_NOTIFY, wParam, lParam, result);
  return FALSE;
}

void CWnd::OnTimer(UINT_PTR) { Default(); }
HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
BOOL CWnd::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnDestroy() { Default(); }
BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

std::string CWnd::GetWindowText() const { return GetWindowText(m_hWnd); }

std::string CWnd::GetWindowText(HWND hwnd) {
  int length = ::GetWindowTextLengthA(hwnd);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = ::GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

}  // namespace tarnel
