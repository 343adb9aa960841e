// Handle and drawing-resource counts over long runs of the main window: 10,000 repaints of
// each page, of the version panel and of the window itself, then 1,000 rebuilds of the page
// set through the mode watch, all over the scripted driver. Prints the counts before and after
// each phase and the time per repaint and per rebuild.
// GetGuiResources is a stub under Wine (it answers 0): there the counts kept by our own
// drawing wrappers and the number of live windows are the figures to read.
#include <windows.h>
#include <commctrl.h>
#define PSAPI_VERSION 2  // GetProcessMemoryInfo from kernel32
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "E2eProcessFigures.h"
#include "FakeDriver.h"
#include "RegistryCleanup.h"
#include "app/TarnelDlg.h"
#include "framework/Gdi.h"

namespace {

int g_repaints = 10000;  // per window; the first argument changes it
int g_rebuilds = 1000;   // the second argument changes it

struct Figures {
  tarnel::GdiCounts ours;
  DWORD handles;                    // 0: not reported
  std::vector<HANDLE> nextHandles;  // the same before and after: no kernel handle left open
  DWORD gdiObjects;
  DWORD userObjects;
  long windows;
  SIZE_T pagefileBytes;
};

Figures Take() {
  Figures f = {};
  f.ours = tarnel::LiveGdiCounts();
  if (!::GetProcessHandleCount(::GetCurrentProcess(), &f.handles)) f.handles = 0;
  f.nextHandles = tarnel::test::NextFreeHandles();
  f.gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  f.userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  f.windows = tarnel::test::CountThreadWindows(::GetCurrentThreadId());
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory))) f.pagefileBytes = memory.PagefileUsage;
  return f;
}

void Print(const char* label, const Figures& f, const Figures& reference) {
  std::printf("%-19s wrappers: objects %ld dcs %ld selects %ld menus %ld | handles %lu, next free %s | "
              "GetGuiResources GDI %lu USER %lu | windows %ld | committed %lu KiB\n",
              label, f.ours.objects, f.ours.dcs, f.ours.selects, f.ours.menus, f.handles,
              f.nextHandles == reference.nextHandles ? "as at start" : "CHANGED", f.gdiObjects, f.userObjects,
              f.windows, static_cast<unsigned long>(f.pagefileBytes / 1024));
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void Repaint(const char* name, HWND hwnd, UINT flags) {
  const LARGE_INTEGER start = bench::Now();
  for (int i = 0; i < g_repaints; ++i) ::RedrawWindow(hwnd, nullptr, nullptr, flags);
  const double seconds = bench::Seconds(start, bench::Now());
  std::printf("  %-16s %d repaints, %.3f ms each\n", name, g_repaints, 1000.0 * seconds / g_repaints);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) g_repaints = std::atoi(argv[1]);
  if (argc > 2) g_rebuilds = std::atoi(argv[2]);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);

  const Figures start = Take();
  Print("start", start, start);
  Figures opened;
  {
    tarnel::test::FakeDriver driver;
    driver.SetDriverInfo("Bench driver 1.0");
    tarnel::CTarnel_UIDlg window;
    Print("window object made", Take(), start);
    if (!window.Create(nullptr)) {
      std::printf("the main window could not be created\n");
      return 1;
    }
    Pump();
    opened = Take();
    Print("window open", opened, opened);

    const UINT withChildren = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN;
    const char* names[] = {"Link Info", "Configuration", "Encryption", "SiteSurvey"};
    for (int k = 0; k < window.PageCount(); ++k) {
      window.SelectPage(k);
      Repaint(names[k], window.PageTable(k)->m_hWnd, withChildren);
    }
    Repaint("version panel", window.VersionPanel().m_hWnd, withChildren);
    Repaint("main window", window.m_hWnd, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    Print("after repaints", Take(), opened);

    ::SendMessageA(window.m_hWnd, WM_TIMER, tarnel::CTarnel_UIDlg::kModeTimerId, 0);  // records the mode
    const LARGE_INTEGER begin = bench::Now();
    for (int i = 0; i < g_rebuilds; ++i) {
      driver.xpConfig = driver.xpConfig ? 0 : 1;
      ::SendMessageA(window.m_hWnd, WM_TIMER, tarnel::CTarnel_UIDlg::kModeTimerId, 0);
      Pump();
    }
    const double seconds = bench::Seconds(begin, bench::Now());
    std::printf("  %d rebuilds (alternating 1 and 4 pages), %.3f ms each, %d pages at the end\n", g_rebuilds,
                1000.0 * seconds / g_rebuilds, window.PageCount());
    Print("after rebuilds", Take(), opened);
    window.DestroyWindow();
    Pump();
  }
  Print("window object gone", Take(), opened);
  std::printf("GetGuiResources: %s\nGetProcessHandleCount: %s\n",
              start.gdiObjects || start.userObjects ? "reported" : "answers 0 (not reported); read the wrapper "
                                                                  "counts and the live windows",
              start.handles ? "reported" : "answers 0 (not reported); read the next free handle values");
  return 0;
}
