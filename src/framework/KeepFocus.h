// Disabling the control that has the keyboard focus leaves the keyboard with none. For the life
// of the object controls may be disabled and enabled again; at its end a focus lost that way
// goes back to the control that had it, or, when that one stays disabled, to the next control
// of its dialog that takes the focus.
#pragma once

#include <windows.h>

namespace tarnel {

class KeepFocus {
 public:
  KeepFocus() : m_had(::GetFocus()) {}
  ~KeepFocus() {
    if (!m_had || ::GetFocus() || !::IsWindow(m_had)) return;
    if (::IsWindowEnabled(m_had)) {
      ::SetFocus(m_had);
    } else if (HWND next = ::GetNextDlgTabItem(::GetParent(m_had), m_had, FALSE)) {
      ::SetFocus(next);
    }
  }
  KeepFocus(const KeepFocus&) = delete;
  KeepFocus& operator=(const KeepFocus&) = delete;

 private:
  HWND m_had;
};

}  // namespace tarnel
