// The link monitor in the real main window: how it opens, closes, hides and comes back with the
// main window, and what lands on its pixels (painted into a bitmap of our own).
#include <windows.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "E2eShots.h"
#include "HostedMainWindow.h"
#include "adapter/portable/ChannelPlan.h"
#include "app/TrayIcon.h"

namespace tarnel::test {
namespace {

constexpr int kWidth = 800, kHeight = 600;

SiteSurveyEntry Network(const char* ssid, uint8_t channel, uint8_t signal, uint8_t last) {
  SiteSurveyEntry e = {};
  std::memcpy(e.ssid, ssid, std::strlen(ssid));
  e.networkType = 1;
  e.channel = channel;
  e.signal = signal;
  const uint8_t bssid[6] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, last};
  std::memcpy(e.bssid, bssid, 6);
  return e;
}

// The client area painted into a 32-bit bitmap, as PrintWindow asks for it.
class Picture {
 public:
  explicit Picture(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    m_pixels.assign(pixels, pixels + m_width * m_height);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  COLORREF At(int x, int y) const {
    const DWORD p = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Rows of column x between top and bottom that have the colour.
  std::set<int> RowsOf(COLORREF colour, int x, int top, int bottom) const {
    std::set<int> rows;
    for (int y = top; y <= bottom; ++y)
      if (At(x, y) == colour) rows.insert(y);
    return rows;
  }

 private:
  int m_width = 0, m_height = 0;
  std::vector<DWORD> m_pixels;
};

class MonitorTest : public HostedMainWindow {
 protected:
  CLinkMonitor& Monitor() { return window.LinkMonitor(); }
  HWND MonitorWindow() { return Monitor().m_hWnd; }
  bool MonitorShown() { return MonitorWindow() && ::IsWindowVisible(MonitorWindow()); }
  static BOOL CALLBACK CountMonitor(HWND hwnd, LPARAM counter) {
    if (CWnd::GetWindowText(hwnd) == "Link Monitor") ++*reinterpret_cast<int*>(counter);
    return TRUE;
  }
  int MonitorCount() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountMonitor, reinterpret_cast<LPARAM>(&count));
    return count;
  }
  // A key as the program's loop takes it.
  void Key(HWND to, WPARAM key) {
    MSG msg = {to, WM_KEYDOWN, key, 0, 0, {0, 0}};
    window.PumpMessage(msg);
  }
  void Reading(uint32_t atMs, bool linked, int signal, int quality) {
    LinkReading r;
    r.atMs = atMs;
    r.linked = linked;
    r.signal = signal;
    r.quality = quality;
    r.bssid = "00:0A:1B:2C:3D:01";
    window.OnLinkReading(r);
  }
  void Survey(std::vector<SiteSurveyEntry> records) {
    window.OnSurveyResult(records.data(), static_cast<int>(records.size()));
  }
  void OpenAtSize() {
    window.OpenLinkMonitor();
    ASSERT_TRUE(MonitorShown());
    RECT frame = {0, 0, kWidth, kHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(MonitorWindow(), GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(MonitorWindow(), GWL_EXSTYLE)));
    ::SetWindowPos(MonitorWindow(), nullptr, 40, 40, frame.right - frame.left, frame.bottom - frame.top, SWP_NOZORDER);
  }
};

TEST_F(MonitorTest, OpensOnceFromTheMenuOrABarAndClosesOnEscapeOrTheCloseBox) {
  driver.survey = {Network("lab", 6, 70, 1)};
  window.SendMessage(WM_COMMAND, ID_TRAY_MONITOR, 0);
  ASSERT_TRUE(MonitorShown()) << "the icon's menu opens it";
  EXPECT_EQ(MonitorWindow(), ::GetForegroundWindow());
  EXPECT_EQ(1u, window.LatestSurvey().size()) << "the first opening surveys";
  EXPECT_EQ(::GetDlgItem(MonitorWindow(), IDC_MONITOR_SCAN), ::GetFocus());
  ::SetFocus(::GetDlgItem(MonitorWindow(), IDC_MONITOR_SIGNAL));
  Key(::GetFocus(), VK_TAB);
  EXPECT_EQ(::GetDlgItem(MonitorWindow(), IDC_MONITOR_SCAN), ::GetFocus()) << "Tab reaches Scan";

  // A second request, here a double-click on the signal bar, brings the same window forward.
  const HWND first = MonitorWindow();
  ::SetForegroundWindow(Main());
  driver.ClearCalls();
  HWND bar = ::GetDlgItem(PageWindow(), IDC_SIGNAL_BAR);
  ::SendMessageA(bar, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  ::SendMessageA(bar, WM_LBUTTONDOWN, 0, MAKELPARAM(6, 5));
  EXPECT_EQ(first, MonitorWindow());
  EXPECT_EQ(1, MonitorCount());
  EXPECT_EQ(first, ::GetForegroundWindow());
  EXPECT_EQ(Calls{}, driver.NonPollingCalls()) << "no second survey";

  Key(::GetDlgItem(MonitorWindow(), IDC_MONITOR_SCAN), VK_ESCAPE);
  EXPECT_FALSE(Monitor().IsOpen()) << "Escape closes it";
  EXPECT_EQ(0, MonitorCount());

  HWND quality = ::GetDlgItem(PageWindow(), IDC_QUALITY_BAR);
  ::SendMessageA(quality, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(Monitor().IsOpen()) << "one click is not a double-click";
  ::SendMessageA(quality, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(MonitorShown()) << "a double-click on the quality bar opens it";
  ::SendMessageA(MonitorWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !Monitor().IsOpen(); }, 1000)) << "so does the close box (a posted cancel)";
}

TEST_F(MonitorTest, HidesWithTheMainWindowAndComesBackWithIt) {
  struct Case {
    const char* name;
    std::function<void()> hide, show;
  };
  const Case cases[] = {
      {"radio off", [&] { driver.radioOff = 1; Tick(); },
       [&] {
         driver.radioOff = 0;
         window.SendMessage(WM_TRAY_NOTIFY, CTrayIcon::kIconId, WM_LBUTTONDBLCLK);
       }},
      {"unplug", [&] { driver.unplugged = 1; Tick(); },
       [&] {
         driver.unplugged = 0;
         window.ResumeAdapter();
       }},
      {"suspend", [&] { window.SendMessage(WM_POWERBROADCAST, PBT_APMSUSPEND, 0); },
       [&] { window.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0); }},
  };
  Survey({Network("lab", 6, 70, 1)});
  for (const Case& c : cases) {
    window.OpenLinkMonitor();
    ASSERT_TRUE(MonitorShown()) << c.name;
    c.hide();
    ASSERT_FALSE(Visible()) << c.name;
    EXPECT_FALSE(MonitorShown()) << c.name << ": hidden with the main window";
    EXPECT_TRUE(Monitor().IsOpen()) << c.name;
    window.OpenLinkMonitor();
    EXPECT_FALSE(MonitorShown()) << c.name << ": not opened over a hidden main window";
    c.show();
    ASSERT_TRUE(Visible()) << c.name;
    EXPECT_TRUE(MonitorShown()) << c.name << ": back with it";
    EXPECT_EQ(1, MonitorCount()) << c.name;
  }
  // Closed by the user, it stays closed when the main window returns.
  Monitor().DestroyWindow();
  cases[2].hide();
  cases[2].show();
  EXPECT_FALSE(Monitor().IsOpen());
}

// Ten minutes of readings: the signal steady at 75 % but for a minute without link, quality 40 %.
TEST_F(MonitorTest, ReadingsAndNetworksLandOnTheirPixels) {
  const uint32_t start = 1000000;
  constexpr uint32_t kTick = 300, kSpan = 10 * 60 * 1000;
  for (uint32_t t = 0; t <= kSpan; t += kTick) {
    const bool dropped = t >= 4 * 60000 && t < 5 * 60000;  // from 6 to 5 minutes ago
    Reading(start + t, !dropped, 75, 40);
  }
  // Channel 6 in the plan, channel 14 outside it (plan 0 ends at 11).
  Survey({Network("lab", 6, 90, 1), Network("far", 14, 50, 2)});
  OpenAtSize();
  const Picture picture(MonitorWindow());

  const PlotArea history = Monitor().HistoryArea();
  const int y75 = PercentToY(75, history);
  const int nowX = AgeToX(30000, history), droppedX = AgeToX(5 * 60000 + 30000, history);
  const std::set<int> rows = picture.RowsOf(CLinkMonitor::kSignalColour, nowX, history.top, history.Bottom());
  ASSERT_FALSE(rows.empty());
  EXPECT_TRUE(rows.count(y75)) << "the 75 % row " << y75 << ", got rows " << *rows.begin() << "-" << *rows.rbegin();
  EXPECT_LE(*rows.rbegin() - *rows.begin(), 2) << "one line, its pen's width";
  EXPECT_LE(std::abs(*rows.begin() - y75), 1);
  EXPECT_TRUE(picture.RowsOf(CLinkMonitor::kSignalColour, droppedX, history.top, history.Bottom()).empty())
      << "a gap where there was no link";
  const std::string figures = CWnd::GetWindowText(::GetDlgItem(MonitorWindow(), IDC_MONITOR_SIGNAL));
  EXPECT_EQ("Signal\nnow 75 %\nlowest 75 %\naverage 75 %\nhighest 75 %", figures);

  // The columns the hump covers, against each channel's own 22 MHz.
  const PlotArea channels = Monitor().ChannelArea();
  const ChannelAxis axis = MakeChannelAxis(Monitor().Plan(), channels.left, channels.width);
  int first = -1, last = -1;
  for (int x = channels.left; x <= channels.Right(); ++x)
    for (int y = channels.top; y <= channels.Bottom(); ++y) {
      const COLORREF c = picture.At(x, y);
      if (c == CLinkMonitor::kBackground || c == CLinkMonitor::kGrid) continue;
      if (first < 0) first = x;
      last = x;
      break;
    }
  ASSERT_GE(first, 0) << "the hump is drawn";
  std::vector<int> reached;
  for (int channel : Monitor().Plan()) {
    const int left = MHzToX(axis, ChannelMHz(channel) - kHumpHalfWidthMHz);
    const int right = MHzToX(axis, ChannelMHz(channel) + kHumpHalfWidthMHz);
    if (first <= right && left <= last) reached.push_back(channel);
  }
  EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}), reached) << "columns " << first << "-" << last;
  const std::string offPlan = CWnd::GetWindowText(::GetDlgItem(MonitorWindow(), IDC_MONITOR_OFF_PLAN));
  EXPECT_NE(std::string::npos, offPlan.find("far (channel 14, 50 %)")) << offPlan;
}

// The picture of the README: a moving signal with a dropped link and six networks on
// overlapping channels. Every hump's outline stays in sight, the link's drawn thicker; saved
// when pictures are asked for (TARNEL_SHOTS, scripts/e2e-shots).
TEST_F(MonitorTest, SixOverlappingNetworksStayReadableAndTheLinksStandsOut) {
  const uint32_t start = 2000000;
  for (uint32_t t = 0; t <= 10 * 60 * 1000; t += 300) {
    const double s = t / 1000.0;
    const bool dropped = s > 200 && s < 235;
    const int signal = static_cast<int>(62 + 14 * std::sin(s / 41) + 5 * std::sin(s / 7.3) + 2 * std::sin(s * 1.3));
    const int quality = static_cast<int>(55 + 10 * std::sin(s / 53 + 1) + 6 * std::sin(s / 5.1) + 2 * std::sin(s * 1.1));
    Reading(start + t, !dropped, signal, quality);  // the link is "tarnel-lab", the first below
  }
  const std::vector<SiteSurveyEntry> survey = {
      Network("tarnel-lab", 6, 78, 1), Network("Harbour-Office", 1, 64, 2),  Network("meshroom", 11, 41, 3),
      Network("Cafe_Guest", 11, 23, 4), Network("warehouse-ap3", 9, 55, 5), Network("printer-direct", 3, 35, 6)};
  Survey(survey);
  OpenAtSize();
  const Picture picture(MonitorWindow());
  const PlotArea area = Monitor().ChannelArea();
  const ChannelAxis axis = MakeChannelAxis(Monitor().Plan(), area.left, area.width);
  for (size_t i = 0; i < survey.size(); ++i) {
    const COLORREF line = CLinkMonitor::kNetworkColours[i].line;
    const HumpSpan span = HumpOf(axis, survey[i].channel);
    bool seen = false;
    for (int x = span.left; x <= span.right && !seen; ++x) seen = !picture.RowsOf(line, x, area.top, area.Bottom()).empty();
    EXPECT_TRUE(seen) << survey[i].ssid << ": its outline shows";
    // At the peak's column: the outline's thickness, the label above it left out.
    const int peak = PercentToY(survey[i].signal, area);
    const size_t rows = picture.RowsOf(line, span.centre, peak - 1, peak + 4).size();
    EXPECT_EQ(i == 0 ? 3u : 1u, rows) << survey[i].ssid << (i == 0 ? ": the link's, stronger" : "");
  }
  if (!ShotsFolder().empty()) EXPECT_TRUE(SaveShot("link-monitor", MonitorWindow()));
}

}  // namespace
}  // namespace tarnel::test
