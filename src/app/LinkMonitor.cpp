#include "app/LinkMonitor.h"

#include <algorithm>
#include <memory>
#include <string>

#include "adapter/NvLibrary.h"
#include "adapter/portable/ChannelPlan.h"
#include "framework/Gdi.h"
#include "framework/WaitCursor.h"
#include "resource.h"
#include "settings/Survey.h"
#include "widgets/PageHost.h"

namespace tarnel {

namespace {

constexpr int kMargin = 8;
constexpr int kAxisWidth = 36;    // the percent labels left of both plots
constexpr int kTitleHeight = 18;  // a plot's title above it
constexpr int kScaleHeight = 20;  // minute or channel numbers below a plot
constexpr int kSideWidth = 150;   // the figures and the Scan button right of the plots
constexpr int kMinWidth = 480;
constexpr int kMinHeight = 360;
constexpr int kPlotPercents[] = {30, 60};  // the icon's steps

constexpr COLORREF kFrame = RGB(160, 160, 160);
constexpr COLORREF kText = RGB(64, 64, 64);

bool Intersects(const RECT& a, const PlotArea& area, int below) {
  const RECT b = {area.left - kAxisWidth, area.top - kTitleHeight, area.left + area.width + 1,
                  area.top + area.height + below};
  RECT common;
  return ::IntersectRect(&common, &a, &b) != 0;
}

void Text(HDC dc, int x, int y, const std::string& text, UINT align = TA_LEFT) {
  ::SetTextAlign(dc, align | TA_TOP);
  ::TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void FillArea(HDC dc, const PlotArea& area, COLORREF colour) {
  GdiObject brush(::CreateSolidBrush(colour));
  const RECT r = {area.left, area.top, area.left + area.width, area.top + area.height};
  ::FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

void FrameArea(HDC dc, const PlotArea& area) {
  GdiObject pen(::CreatePen(PS_SOLID, 1, kFrame));
  SelectGuard withPen(dc, pen.Get());
  SelectGuard hollow(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, area.left - 1, area.top - 1, area.left + area.width + 1, area.top + area.height + 1);
}

void PercentGrid(HDC dc, const PlotArea& area) {
  GdiObject pen(::CreatePen(PS_SOLID, 1, CLinkMonitor::kGrid));
  SelectGuard withPen(dc, pen.Get());
  for (int percent : kPlotPercents) {
    const int y = PercentToY(percent, area);
    ::MoveToEx(dc, area.left, y, nullptr);
    ::LineTo(dc, area.left + area.width, y);
  }
  for (int percent : {0, 30, 60, 100}) {
    TEXTMETRICA metrics;
    ::GetTextMetricsA(dc, &metrics);
    Text(dc, area.left - 4, PercentToY(percent, area) - metrics.tmHeight / 2, std::to_string(percent) + " %", TA_RIGHT);
  }
}

// A line width pixels thick, drawn as one-pixel lines moved diagonally a pixel at a time (thick
// both where it runs level and where it jumps): Wine draws a pen wider than one pixel as
// polygons, which made a full repaint four times as slow.
void ThickLines(HDC dc, const Polylines& line, COLORREF colour, int width) {
  if (line.counts.empty()) return;
  GdiObject pen(::CreatePen(PS_SOLID, 1, colour));
  SelectGuard withPen(dc, pen.Get());
  static_assert(sizeof(PixelPoint) == sizeof(POINT), "PixelPoint is laid out as POINT");
  for (int step = 0; step < width; ++step) {
    POINT origin;
    ::OffsetViewportOrgEx(dc, step, step, &origin);
    ::PolyPolyline(dc, reinterpret_cast<const POINT*>(line.points.data()),
                   reinterpret_cast<const DWORD*>(line.counts.data()), static_cast<DWORD>(line.counts.size()));
    ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
}

bool SameText(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

const CLinkMonitor::NetworkColour CLinkMonitor::kNetworkColours[kNetworkColourCount] = {
    {RGB(204, 51, 0), RGB(255, 214, 199)},  {RGB(0, 102, 204), RGB(199, 224, 255)},
    {RGB(0, 140, 70), RGB(196, 240, 214)},  {RGB(150, 60, 180), RGB(234, 214, 245)},
    {RGB(190, 140, 0), RGB(250, 236, 190)}, {RGB(0, 140, 150), RGB(196, 238, 240)},
    {RGB(120, 120, 120), RGB(226, 226, 226)}, {RGB(200, 0, 110), RGB(250, 204, 228)},
};

CLinkMonitor::CLinkMonitor(CPageHost& host, const LinkHistory& history, const std::vector<SeenNetwork>& survey)
    : CDialog(IDD_LINK_MONITOR), m_host(host), m_history(history), m_survey(survey) {}

void CLinkMonitor::Open() {
  m_hiddenWithOwner = false;
  const bool created = !m_hWnd;
  if (created && !Create(&m_host)) return;
  ShowWindow(::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
  ::SetForegroundWindow(m_hWnd);
  // Channels with no survey behind them would show nothing: the first opening surveys.
  if (created && m_survey.empty()) {
    UpdateWindow();
    Scan();
  }
}

BOOL CLinkMonitor::OnInitDialog() {
  CDialog::OnInitDialog();
  ReadPlan();
  RECT frame = {0, 0, 640, 480};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  UpdateFigures();
  UpdateOffPlanList();
  return TRUE;
}

void CLinkMonitor::OnDestroy() {
  m_hiddenWithOwner = false;
  CDialog::OnDestroy();
}

void CLinkMonitor::OnOwnerShown(bool shown) {
  if (!m_hWnd) return;
  if (!shown && IsWindowVisible()) {
    ShowWindow(SW_HIDE);
    m_hiddenWithOwner = true;
  } else if (shown && m_hiddenWithOwner) {
    m_hiddenWithOwner = false;
    UpdateFigures();  // readings went on while hidden
    ShowWindow(SW_SHOWNA);
  }
}

void CLinkMonitor::OnNewReading(const LinkReading& reading) {
  // Kept while closed too: a window opened later draws the link's network stronger at once.
  m_linkBssid = reading.linked ? reading.bssid : std::string();
  if (!m_hWnd || !IsWindowVisible()) return;
  UpdateFigures();
  // The plot moves one column in the time a column stands for (a second at 800 pixels): the
  // readings in between wait for it, unless the link came or went.
  const PlotArea area = HistoryArea();
  const uint32_t columnMs = kHistorySpanMs / static_cast<uint32_t>(std::max(1, area.width - 1));
  if (reading.atMs - m_plottedAtMs < columnMs && reading.linked == m_plottedLinked) return;
  const RECT plot = {area.left, area.top, area.left + area.width, area.top + area.height};
  ::InvalidateRect(m_hWnd, &plot, FALSE);
}

void CLinkMonitor::OnNewSurvey() {
  if (!m_hWnd) return;
  ReadPlan();
  UpdateOffPlanList();
  Invalidate(FALSE);
}

void CLinkMonitor::Scan() {
  CWaitCursor wait;
  auto records = std::make_unique<settings::SurveyBuffer>();
  const int count = settings::RunSurvey(records.get());
  m_host.OnSurveyResult(records->data(), count);
}

void CLinkMonitor::ReadPlan() {
  int32_t plan = -1, channel = 0;
  Nv().NV_GetStatusChannelInfo(&plan, &channel);
  m_plan = ChannelPlanEntries(plan);
}

BOOL CLinkMonitor::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_MONITOR_SCAN && HIWORD(wParam) == BN_CLICKED) {
    Scan();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

// A modeless window in the main window's message loop: the dialog manager's keys (Tab,
// Escape) are its own.
BOOL CLinkMonitor::PreTranslateMessage(MSG* msg) {
  if (m_hWnd && ::IsDialogMessageA(m_hWnd, msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

LRESULT CLinkMonitor::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      Invalidate(FALSE);
      break;
    case WM_PRINTCLIENT: {  // PrintWindow, and pictures of the window taken off screen
      RECT client = {0, 0, 0, 0};
      ::GetClientRect(m_hWnd, &client);
      Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {kMinWidth, kMinHeight};
      return 0;
    }
    default:
      break;
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

PlotArea CLinkMonitor::HistoryArea() const {
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(m_hWnd, &client);
  const int width = std::max(2, static_cast<int>(client.right) - kAxisWidth - 2 * kMargin - kSideWidth);
  const int height = std::max(2, static_cast<int>(client.bottom) / 2 - kTitleHeight - kScaleHeight - kMargin);
  return {kAxisWidth, kMargin + kTitleHeight, width, height};
}

PlotArea CLinkMonitor::ChannelArea() const {
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(m_hWnd, &client);
  const PlotArea upper = HistoryArea();
  const int top = static_cast<int>(client.bottom) / 2 + kTitleHeight;
  return {upper.left, top, upper.width, std::max(2, static_cast<int>(client.bottom) - top - kScaleHeight - kMargin)};
}

void CLinkMonitor::Layout() {
  const PlotArea upper = HistoryArea();
  const PlotArea lower = ChannelArea();
  const int x = upper.left + upper.width + 2 * kMargin;
  const int figureHeight = std::max(20, upper.height / 2 - 2);
  const int offPlanTop = lower.top + 32;
  ::MoveWindow(GetDlgItem(IDC_MONITOR_SIGNAL), x, upper.top, kSideWidth - kMargin, figureHeight, TRUE);
  ::MoveWindow(GetDlgItem(IDC_MONITOR_QUALITY), x, upper.top + figureHeight + 4, kSideWidth - kMargin, figureHeight, TRUE);
  ::MoveWindow(GetDlgItem(IDC_MONITOR_SCAN), x, lower.top, 80, 24, TRUE);
  ::MoveWindow(GetDlgItem(IDC_MONITOR_OFF_PLAN), x, offPlanTop, kSideWidth - kMargin,
               std::max(20, lower.top + lower.height - offPlanTop), TRUE);
}

void CLinkMonitor::UpdateFigures() {
  const uint32_t now = m_history.Empty() ? 0 : m_history.Latest().atMs;
  SetWindowTextIfChanged(GetDlgItem(IDC_MONITOR_SIGNAL),
                         FiguresText("Signal", FiguresOf(m_history, now, HistoryLine::Signal)).c_str());
  SetWindowTextIfChanged(GetDlgItem(IDC_MONITOR_QUALITY),
                         FiguresText("Quality", FiguresOf(m_history, now, HistoryLine::Quality)).c_str());
}

void CLinkMonitor::UpdateOffPlanList() {
  std::string text;
  for (const SeenNetwork& network : m_survey)
    if (!InPlan(m_plan, network.channel))
      text += "\n" + network.ssid + " (channel " + std::to_string(network.channel) + ", " +
              std::to_string(network.signal) + " %)";
  if (!text.empty()) text = "Outside the channel plan:" + text;
  SetWindowTextIfChanged(GetDlgItem(IDC_MONITOR_OFF_PLAN), text.c_str());
}

HBRUSH CLinkMonitor::OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) {
  const int id = ::GetDlgCtrlID(control);
  if (ctlColorMsg == WM_CTLCOLORSTATIC && (id == IDC_MONITOR_SIGNAL || id == IDC_MONITOR_QUALITY)) {
    ::SetTextColor(dc, id == IDC_MONITOR_SIGNAL ? kSignalColour : kQualityColour);
    ::SetBkColor(dc, ::GetSysColor(COLOR_3DFACE));
    return ::GetSysColorBrush(COLOR_3DFACE);
  }
  return CDialog::OnCtlColor(dc, control, ctlColorMsg);
}

// One memory bitmap the size of the damaged part per paint: the plots are drawn into it and
// copied out in one go, so nothing on the screen is ever half drawn.
void CLinkMonitor::OnPaint() {
  PaintDC paint(m_hWnd);
  Paint(paint.Get(), paint.Info().rcPaint);
}

void CLinkMonitor::Paint(HDC target, const RECT& damaged) {
  const int width = damaged.right - damaged.left;
  const int height = damaged.bottom - damaged.top;
  if (width <= 0 || height <= 0) return;
  MemoryDC memory(target);
  GdiObject bitmap(::CreateCompatibleBitmap(target, width, height));
  if (!memory || !bitmap) return;
  SelectGuard withBitmap(memory.Get(), bitmap.Get());
  SelectGuard withFont(memory.Get(), reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
  ::SetViewportOrgEx(memory.Get(), -damaged.left, -damaged.top, nullptr);
  ::FillRect(memory.Get(), &damaged, ::GetSysColorBrush(COLOR_3DFACE));
  ::SetBkMode(memory.Get(), TRANSPARENT);
  ::SetTextColor(memory.Get(), kText);
  if (Intersects(damaged, HistoryArea(), kScaleHeight)) DrawHistory(memory.Get());
  if (Intersects(damaged, ChannelArea(), kScaleHeight)) DrawChannels(memory.Get());
  ::SetViewportOrgEx(memory.Get(), 0, 0, nullptr);
  ::BitBlt(target, damaged.left, damaged.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void CLinkMonitor::DrawHistory(HDC dc) {
  const PlotArea area = HistoryArea();
  Text(dc, area.left, area.top - kTitleHeight + 2, "Signal and quality, the last 10 minutes");
  FillArea(dc, area, kBackground);
  FrameArea(dc, area);
  {
    GdiObject pen(::CreatePen(PS_SOLID, 1, kGrid));
    SelectGuard withPen(dc, pen.Get());
    const std::vector<int> marks = MinuteMarks(area);
    for (size_t minute = 0; minute < marks.size(); ++minute) {
      ::MoveToEx(dc, marks[minute], area.top, nullptr);
      ::LineTo(dc, marks[minute], area.top + area.height + 4);
      const std::string label = minute == 0 ? "now" : minute == marks.size() - 1 ? "-10 min" : "-" + std::to_string(minute);
      Text(dc, marks[minute], area.top + area.height + 4, label,
           minute == 0 ? TA_RIGHT : minute == marks.size() - 1 ? TA_LEFT : TA_CENTER);
    }
  }
  PercentGrid(dc, area);
  FrameArea(dc, area);
  const uint32_t now = m_history.Empty() ? 0 : m_history.Latest().atMs;
  m_plottedAtMs = now;
  m_plottedLinked = !m_history.Empty() && m_history.Latest().linked;
  ThickLines(dc, HistoryRuns(m_history, now, area, HistoryLine::Quality), kQualityColour, 2);
  ThickLines(dc, HistoryRuns(m_history, now, area, HistoryLine::Signal), kSignalColour, 2);
}

void CLinkMonitor::DrawChannels(HDC dc) {
  const PlotArea area = ChannelArea();
  Text(dc, area.left, area.top - kTitleHeight + 2, "Networks of the latest survey over the channels");
  FillArea(dc, area, kBackground);
  const ChannelAxis axis = MakeChannelAxis(m_plan, area.left, area.width);
  PercentGrid(dc, area);
  if (axis.Empty()) {
    FrameArea(dc, area);
    Text(dc, area.left + area.width / 2, area.top + area.height / 2, "The adapter reports no channel plan", TA_CENTER);
    return;
  }
  {
    GdiObject pen(::CreatePen(PS_SOLID, 1, kGrid));
    SelectGuard withPen(dc, pen.Get());
    for (int channel : m_plan) {
      const int x = MHzToX(axis, ChannelMHz(channel));
      ::MoveToEx(dc, x, area.top, nullptr);
      ::LineTo(dc, x, area.top + area.height + 4);
      Text(dc, x, area.top + area.height + 4, std::to_string(channel), TA_CENTER);
    }
  }
  if (m_survey.empty()) Text(dc, area.left + area.width / 2, area.top + 8, "No survey yet: press Scan", TA_CENTER);

  // Weakest first, so the strongest outline ends on top; light fills ANDed over each other
  // keep every overlap visible.
  std::vector<size_t> order;
  for (size_t i = 0; i < m_survey.size(); ++i)
    if (InPlan(m_plan, m_survey[i].channel)) order.push_back(i);
  std::stable_sort(order.begin(), order.end(),
                   [this](size_t a, size_t b) { return m_survey[a].signal < m_survey[b].signal; });
  auto isLink = [this](const SeenNetwork& network) {
    return !m_linkBssid.empty() && SameText(network.bssid, m_linkBssid);
  };
  auto colourOf = [](size_t i) { return kNetworkColours[i % kNetworkColourCount]; };

  const int oldMix = ::SetROP2(dc, R2_MASKPEN);
  for (size_t i : order) {
    const std::vector<PixelPoint> outline = HumpOutline(axis, m_survey[i].channel, m_survey[i].signal, area);
    GdiObject brush(::CreateSolidBrush(colourOf(i).fill));
    SelectGuard withBrush(dc, brush.Get());
    SelectGuard noPen(dc, ::GetStockObject(NULL_PEN));
    ::Polygon(dc, reinterpret_cast<const POINT*>(outline.data()), static_cast<int>(outline.size()));
  }
  ::SetROP2(dc, oldMix);
  for (size_t i : order) {
    Polylines outline;
    outline.points = HumpOutline(axis, m_survey[i].channel, m_survey[i].signal, area);
    outline.counts = {static_cast<unsigned long>(outline.points.size())};
    ThickLines(dc, outline, colourOf(i).line, isLink(m_survey[i]) ? 3 : 1);
  }
  FrameArea(dc, area);

  // Labels: the strongest keeps its place above its peak, the others make way.
  std::vector<LabelBox> wanted;
  std::vector<std::string> texts;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const SeenNetwork& network = m_survey[*it];
    texts.push_back(network.ssid.empty() ? "(no name)" : network.ssid);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, texts.back().c_str(), static_cast<int>(texts.back().size()), &size);
    const HumpSpan span = HumpOf(axis, network.channel);
    wanted.push_back({span.centre - size.cx / 2, PercentToY(network.signal, area) - size.cy - 1, size.cx, size.cy});
  }
  const std::vector<LabelBox> placed = PlaceLabels(wanted, area);
  for (size_t k = 0; k < placed.size(); ++k) {
    const size_t i = order[order.size() - 1 - k];
    ::SetTextColor(dc, colourOf(i).line);
    Text(dc, placed[k].x, placed[k].y, texts[k]);
  }
  ::SetTextColor(dc, kText);
}

}  // namespace tarnel
