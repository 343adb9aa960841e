// Cost of one site survey as the user waits for it once the library has answered: the list
// emptied and repainted, 260 records decoded and listed. The scripted driver answers at once,
// so what is measured is the page's own work. Prints the median and the slowest of 21 runs,
// and the median until the filled list is painted, with the page shown (as the user sees it)
// and hidden.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "FakeDriver.h"
#include "pages/SiteSurveyPage.h"
#include "resource.h"
#include "widgets/PageHost.h"

namespace {

constexpr int kRuns = 21;

class BenchHost : public tarnel::CPageHost {
 public:
  BenchHost() : CPageHost(IDD_MAIN) {}
  int PageCount() const override { return 4; }
  void SelectPage(int) override {}
};

std::vector<SiteSurveyEntry> Networks(int count) {
  std::vector<SiteSurveyEntry> networks(count);
  for (int i = 0; i < count; ++i) {
    SiteSurveyEntry& n = networks[i];
    std::memset(&n, 0, sizeof(n));
    n.networkType = static_cast<uint8_t>(i % 3);
    const std::string name = "Network number " + std::to_string(i);
    std::memcpy(n.ssid, name.data(), name.size());
    for (int b = 0; b < 6; ++b) n.bssid[b] = static_cast<uint8_t>(i * 7 + b);
    n.signal = static_cast<uint8_t>(i % 101);
    n.channel = static_cast<uint8_t>(1 + i % 14);
    n.wep = static_cast<uint8_t>(i & 1);
    const uint8_t rates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
    std::memcpy(n.rates, rates, sizeof(rates));
  }
  return networks;
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

double Median(std::vector<double> costs) {
  std::sort(costs.begin(), costs.end());
  return costs[costs.size() / 2];
}

// RunSiteSurvey alone, and with the paint of the filled list that follows it.
void Measure(const char* label, tarnel::CSiteSurveyPage& page) {
  std::vector<double> survey, painted;
  for (int i = 0; i < kRuns; ++i) {
    const LARGE_INTEGER start = bench::Now();
    page.RunSiteSurvey();
    const LARGE_INTEGER surveyed = bench::Now();
    ::RedrawWindow(page.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const LARGE_INTEGER shown = bench::Now();
    survey.push_back(bench::Milliseconds(start, surveyed));
    painted.push_back(bench::Milliseconds(start, shown));
    Pump();
  }
  const int rows = static_cast<int>(::SendDlgItemMessageA(page.m_hWnd, IDC_SURVEY_LIST, LVM_GETITEMCOUNT, 0, 0));
  std::printf("RunSiteSurvey, %3d rows, page %-6s: median %6.2f ms, slowest %6.2f ms; "
              "until painted: median %6.2f ms\n",
              rows, label, Median(survey), *std::max_element(survey.begin(), survey.end()), Median(painted));
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  tarnel::test::FakeDriver driver;
  driver.survey = Networks(NV_SURVEY_MAX_ENTRIES);
  BenchHost host;
  tarnel::CSiteSurveyPage page;
  if (!host.Create(nullptr) || !page.Create(&host)) {
    std::printf("no window\n");
    return 1;
  }
  page.ShowWindow(SW_SHOW);
  Pump();
  Measure("shown", page);
  page.ShowWindow(SW_HIDE);
  Measure("hidden", page);
  page.DestroyWindow();
  host.DestroyWindow();
  return 0;
}
