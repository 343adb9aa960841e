// Shows the wait cursor for the life of the object; nested objects restore in order.
#pragma once

#include <windows.h>

namespace tarnel {

class CWaitCursor {
 public:
  CWaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) { ++s_depth; }
  ~CWaitCursor() {
    --s_depth;
    ::SetCursor(m_previous);
  }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

  // How many wait cursors are shown now (tests check that every path restores).
  static int Depth() { return s_depth; }

 private:
  HCURSOR m_previous;
  static inline int s_depth = 0;
};

}  // namespace tarnel
