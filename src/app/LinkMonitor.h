// The "Link Monitor" window: the link's last ten minutes above, the networks of the latest
// survey over the channel plan below. One window at most, owned by the main window; it reads
// the history and the survey the main window keeps and holds no drawing object between paints.
#pragma once

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "monitor/portable/ChannelGeometry.h"
#include "monitor/portable/LinkHistory.h"

namespace tarnel {

class CPageHost;

class CLinkMonitor : public CDialog {
 public:
  static constexpr COLORREF kBackground = RGB(255, 255, 255);  // inside both plots
  static constexpr COLORREF kGrid = RGB(228, 228, 228);        // percent steps, minutes, channels
  static constexpr COLORREF kSignalColour = RGB(0, 84, 204);
  static constexpr COLORREF kQualityColour = RGB(0, 140, 60);
  // A network's outline and fill, by its place in the survey (from the first again after the last).
  struct NetworkColour {
    COLORREF line, fill;
  };
  static constexpr size_t kNetworkColourCount = 8;
  static const NetworkColour kNetworkColours[kNetworkColourCount];

  CLinkMonitor(CPageHost& host, const LinkHistory& history, const std::vector<SeenNetwork>& survey);
  const char* GetRuntimeClassName() const override { return "CLinkMonitor"; }

  // Creates the window, or brings the one open to the front.
  void Open();
  bool IsOpen() const { return m_hWnd != nullptr; }
  // The main window was hidden (radio off, unplug, suspend) or shown again.
  void OnOwnerShown(bool shown);
  // A new reading or survey: figures and pictures follow.
  void OnNewReading(const LinkReading& reading);
  void OnNewSurvey();
  // Surveys now, as the SiteSurvey page does, and records the result with the host.
  void Scan();

  // Where the two plots lie in the client area (pixels).
  PlotArea HistoryArea() const;
  PlotArea ChannelArea() const;
  const std::vector<int>& Plan() const { return m_plan; }

  BOOL OnInitDialog() override;
  void OnCancel() override { DestroyWindow(); }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnEraseBkgnd(HDC) override { return TRUE; }  // the paint covers everything
  void OnPaint() override;
  // The damaged part of the client area, drawn off screen and copied to target at once.
  void Paint(HDC target, const RECT& damaged);
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) override;
  void OnDestroy() override;

 private:
  void Layout();
  void ReadPlan();
  void UpdateFigures();
  void UpdateOffPlanList();
  void DrawHistory(HDC dc);
  void DrawChannels(HDC dc);

  CPageHost& m_host;
  const LinkHistory& m_history;
  const std::vector<SeenNetwork>& m_survey;
  std::vector<int> m_plan;
  std::string m_linkBssid;  // the network of the link, empty without one
  bool m_hiddenWithOwner = false;
  // The latest reading the history plot shows.
  uint32_t m_plottedAtMs = 0;
  bool m_plottedLinked = false;
};

}  // namespace tarnel
