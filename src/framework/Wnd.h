// Window objects: one C++ object per window, found through one handle map, messages
// dispatched to virtual handlers. Controls and dialogs are subclassed so that every message
// passes WindowProc first; DefWindowProc hands it to the window's original procedure.
#pragma once

#include <windows.h>

#include <string>

#include "framework/portable/CmdTarget.h"

namespace tarnel {

// Only the low 32 bits of a window handle are significant. On 64-bit systems the same window
// can arrive sign-extended in one message and zero-extended in another (seen with dialog
// procedures once handle numbers pass 0x7FFF), so handles are kept and compared in one form.
HWND CanonicalHandle(HWND hwnd);
inline bool SameWindow(HWND a, HWND b) { return CanonicalHandle(a) == CanonicalHandle(b); }

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object attached to a window, or null.
  static CWnd* FromHandle(HWND hwnd);

  // Attach this object to an existing window and route its messages through WindowProc.
  bool SubclassWindow(HWND hwnd);
  bool SubclassDlgItem(int id, CWnd* parent);
  HWND UnsubclassWindow();

  virtual BOOL DestroyWindow();
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Handlers. Each default passes the message on to DefWindowProc.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);  // TRUE when handled
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void OnTimer(UINT_PTR id);
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg);
  virtual BOOL OnEraseBkgnd(HDC dc);
  virtual void OnPaint();
  virtual void OnShowWindow(BOOL show, UINT status);
  virtual void OnDestroy();
  // A notification the parent reflected back to this control; TRUE when handled.
  virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void PostNcDestroy() {}

  // Runs DefWindowProc for the message being handled.
  LRESULT Default();

  // Thin helpers over the platform.
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  std::string GetWindowText() const;
  static std::string GetWindowText(HWND hwnd);
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  UINT_PTR SetTimer(UINT_PTR id, UINT ms) { return ::SetTimer(m_hWnd, id, ms, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::SendMessageA(m_hWnd, msg, w, l); }
  BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::PostMessageA(m_hWnd, msg, w, l); }

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Detach();

  WNDPROC m_originalProc = nullptr;
  struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  Message m_current = {0, 0, 0};
};

// The module whose resources the program uses.
HINSTANCE AfxGetResourceHandle();
std::string LoadStringResource(UINT id);

}  // namespace tarnel
