#include "app/CloseRequests.h"

#include <windows.h>

namespace tarnel {

void AcceptCloseRequestsFromLowerRights() {
  // Looked up by name: the function does not exist before Windows Vista.
  using ChangeFilter = BOOL(WINAPI*)(UINT, DWORD);
  const auto change = reinterpret_cast<ChangeFilter>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilter")));
  constexpr DWORD kAdd = 1;  // MSGFLT_ADD
  if (change != nullptr) change(WM_CLOSE, kAdd);
}

}  // namespace tarnel
