// For bench/idle.sh: opens the link monitor of the running utility as the icon's menu does and
// waits until it is shown. Exit status 0 when it is, 1 when there is no utility or no monitor.
#include <windows.h>

#include <cstdio>

#include "AppProcess.h"
#include "resource.h"

int main() {
  HWND main = ::FindWindowA(nullptr, tarnel::test::kMainCaption);
  if (!main) {
    std::printf("open_monitor: no utility window\n");
    return 1;
  }
  DWORD process = 0;
  ::GetWindowThreadProcessId(main, &process);
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutA(main, WM_COMMAND, ID_TRAY_MONITOR, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  for (int i = 0; i < 100; ++i) {
    HWND monitor = ::FindWindowA(nullptr, "Link Monitor");
    DWORD owner = 0;
    if (monitor) ::GetWindowThreadProcessId(monitor, &owner);
    if (monitor && owner == process && ::IsWindowVisible(monitor)) {
      std::printf("open_monitor: shown\n");
      return 0;
    }
    ::Sleep(50);
  }
  std::printf("open_monitor: the link monitor did not appear\n");
  return 1;
}
