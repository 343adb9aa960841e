// Wine's own idle floor for bench/idle.sh: an empty visible dialog, the size of the main
// window, with one 300 ms timer whose ticks do nothing.
#include <windows.h>

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 300;

// A dialog template with no controls: header, no menu, the default class, a caption.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu;
  WORD windowClass;
  WCHAR caption[14];
};

INT_PTR CALLBACK IdleProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      ::SetTimer(hwnd, kTimerId, kTimerPeriodMs, nullptr);
      return TRUE;
    case WM_TIMER:
      return TRUE;
    case WM_CLOSE:
      ::KillTimer(hwnd, kTimerId);
      ::EndDialog(hwnd, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int main() {
  static const EmptyTemplate dialog = {
      {DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 0, 0, 0, 0, 363, 199},
      0,
      0,
      L"Idle baseline"};
  return static_cast<int>(::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), &dialog.header, nullptr, IdleProc, 0));
}
