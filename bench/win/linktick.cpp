// Cost of one tick of the link information page as the user-interface thread pays it every
// 300 ms: the poll (radio and unplug watch, RefreshLinkInfo, LookUpIpAddress) and the main
// window's handling of the WM_LINK_STATUS it posts (the notification-area image), over the
// scripted driver and the platform's real adapter list. Prints the median and 95th percentile
// of the whole tick, then each part on its own with the process CPU time it takes per call,
// and the repaint a tick leaves behind (run after the tick, when the queue is idle).
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "FakeDriver.h"
#include "app/Messages.h"
#include "app/TarnelDlg.h"

namespace {

// User and kernel time of the process, in microseconds.
double ProcessCpuMicros() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto micros = [](FILETIME t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10.0;
  };
  return micros(kernel) + micros(user);
}

struct Figures {
  std::vector<double> wall;
  double cpuPerCall = -1;
};

void Print(const char* name, Figures f) {
  if (f.wall.empty()) return;
  std::sort(f.wall.begin(), f.wall.end());
  const auto at = [&](double q) { return f.wall[static_cast<size_t>(q * static_cast<double>(f.wall.size() - 1))]; };
  std::printf("  %-40s median %8.1f us  p95 %8.1f us", name, at(0.5), at(0.95));
  if (f.cpuPerCall >= 0) std::printf("  cpu %8.1f us/call", f.cpuPerCall);
  std::printf("  (n=%zu)\n", f.wall.size());
}

// Runs every message waiting for the thread: the repaints a tick has caused.
void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// Times one action n times; the process CPU is taken over the whole run, including after().
Figures Measure(int n, const std::function<void(int)>& action, const std::function<void()>& after = [] {}) {
  Figures f;
  const double cpu0 = ProcessCpuMicros();
  for (int i = 0; i < n; ++i) {
    const LARGE_INTEGER t0 = bench::Now();
    action(i);
    f.wall.push_back(bench::Micros(t0, bench::Now()));
    after();
  }
  f.cpuPerCall = (ProcessCpuMicros() - cpu0) / n;
  return f;
}

// The hardware address text of the first adapter the platform lists, or "".
std::string FirstAdapterMac() {
  ULONG size = 0;
  if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return "";
  std::vector<char> block(size);
  auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(block.data());
  if (::GetAdaptersInfo(info, &size) != ERROR_SUCCESS) return "";
  char text[18];
  std::snprintf(text, sizeof(text), "%02X:%02X:%02X:%02X:%02X:%02X", info->Address[0], info->Address[1],
                info->Address[2], info->Address[3], info->Address[4], info->Address[5]);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int parts = std::max(1, ticks / 5);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);

  tarnel::test::FakeDriver driver;
  driver.linkState = NV_LINK_ASSOCIATED;
  driver.SetSsid("tarnel-lab");
  driver.bssid = {0x00, 0x0A, 0xFF, 0x60, 0x0F, 0x4D};
  driver.rates = {1, 1, 1, 1, 1};
  driver.channel = 6;
  const std::string mac = FirstAdapterMac();
  driver.SetMacText(mac.empty() ? "00:0A:FF:47:10:01" : mac);
  // Figures that move, so texts, bars and the icon's step really change.
  const auto moveFigures = [&](int i) {
    driver.signal = 20 + (i * 7) % 80;
    driver.quality = 25 + (i * 11) % 75;
  };

  tarnel::CTarnel_UIDlg window;
  if (!window.Create(nullptr)) {
    std::printf("the main window could not be created\n");
    return 1;
  }
  auto* page = dynamic_cast<tarnel::CLinkInfoPage*>(window.PageTable(0));
  HWND pageHwnd = page->m_hWnd;
  ::KillTimer(pageHwnd, tarnel::CLinkInfoPage::kTimerId);
  ::KillTimer(window.m_hWnd, tarnel::CTarnel_UIDlg::kModeTimerId);
  Pump();
  std::printf("link tick, %d ticks (parts %d calls each), MAC text %s\n", ticks, parts,
              mac.empty() ? "of no adapter: the lookup walks the whole list" : mac.c_str());

  // The whole tick: the poll, then the posted report as the main window's queue delivers it.
  std::vector<double> poll, report;
  Figures whole = Measure(
      ticks,
      [&](int i) {
        moveFigures(i);
        const LARGE_INTEGER t0 = bench::Now();
        ::SendMessageA(pageHwnd, WM_TIMER, tarnel::CLinkInfoPage::kTimerId, 0);
        const LARGE_INTEGER t1 = bench::Now();
        MSG msg;
        while (::PeekMessageA(&msg, window.m_hWnd, tarnel::WM_LINK_STATUS, tarnel::WM_LINK_STATUS, PM_REMOVE))
          ::DispatchMessageA(&msg);
        poll.push_back(bench::Micros(t0, t1));
        report.push_back(bench::Micros(t1, bench::Now()));
      },
      Pump);
  Print("whole tick (poll + WM_LINK_STATUS)", whole);
  std::printf("    cpu above includes the repaint each tick leaves behind\n");
  Print("  poll (WM_TIMER on the page)", {poll, -1});
  Print("  WM_LINK_STATUS in the main window", {report, -1});

  // The parts on their own.
  Print("  RefreshLinkInfo", Measure(parts, [&](int i) { moveFigures(i); page->RefreshLinkInfo(); }, [&] {
          MSG msg;
          while (::PeekMessageA(&msg, window.m_hWnd, tarnel::WM_LINK_STATUS, tarnel::WM_LINK_STATUS, PM_REMOVE)) {
          }
        }));
  Print("    data transfer (7 edit texts)", Measure(parts, [&](int) { page->UpdateData(FALSE); }));
  HWND labels[] = {::GetDlgItem(pageHwnd, IDC_SIGNAL_PERCENT), ::GetDlgItem(pageHwnd, IDC_QUALITY_PERCENT)};
  Print("    2 percentage labels hide/set/show", Measure(parts, [&](int i) {
          for (HWND label : labels) {
            ::ShowWindow(label, SW_HIDE);
            ::SetWindowTextA(label, i % 2 ? "57%" : "64%");
            ::ShowWindow(label, SW_SHOW);
          }
        }));
  Print("    2 bar positions", Measure(parts, [&](int i) {
          page->m_qualityBar.SetPos(i % 100);
          page->m_signalBar.SetPos((i + 50) % 100);
        }));
  Print("  LookUpIpAddress", Measure(parts, [&](int) { page->LookUpIpAddress(); }));
  Print("    GetAdaptersInfo (one call, size query)", Measure(parts, [&](int) {
          ULONG size = 0;
          ::GetAdaptersInfo(nullptr, &size);
        }));
  Print("  SetTrayIcon", Measure(parts, [&](int i) {
          window.TrayIcon().SetTrayIcon(tarnel::CTrayIcon::kIconId, i % 2 ? IDI_TRAY_WEAK : IDI_TRAY_STRONG);
        }));
  Print("  repaint after a refresh", Measure(parts, [&](int) { Pump(); }, [&] {
          page->RefreshLinkInfo();
          MSG msg;
          while (::PeekMessageA(&msg, window.m_hWnd, tarnel::WM_LINK_STATUS, tarnel::WM_LINK_STATUS, PM_REMOVE)) {
          }
        }));
  Print("    of which after the 7 edit texts alone", Measure(parts, [&](int) { Pump(); }, [&] { page->UpdateData(FALSE); }));
  Print("    of which after the 2 labels alone", Measure(parts, [&](int) { Pump(); }, [&] {
          for (HWND label : labels) {
            ::ShowWindow(label, SW_HIDE);
            ::SetWindowTextA(label, "57%");
            ::ShowWindow(label, SW_SHOW);
          }
        }));
  Print("  for scale: one wineserver round trip", Measure(parts, [&](int) { ::GetForegroundWindow(); }));

  std::printf("IP address found: \"%s\"; icon image %u, shell answered %d\n", page->m_ipAddress.c_str(),
              window.TrayIcon().Image(), window.TrayIcon().LastAnswer());
  window.DestroyWindow();
  return 0;
}
