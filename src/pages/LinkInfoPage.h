// The "Link Info" page: what the adapter is doing now, refreshed on the page's own timer.
// Being the one poller that always runs, it also reports the signal figures to the main
// window and notices a radio switched off or an adapter unplugged.
#pragma once

#include <array>
#include <string>

#include "pages/BackdropPage.h"
#include "settings/portable/LinkReading.h"
#include "widgets/BitmapLabel.h"
#include "widgets/BitmapProgressCtrl.h"

namespace tarnel {

class CPageHost;

class CLinkInfoPage : public CBackdropPage {
 public:
  // Page 0 polls on timer 1 (page index + 1), shown or not; the main window restarts it
  // with the same period when the adapter returns.
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kTimerPeriodMs = 300;

  CLinkInfoPage();

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) override;
  // Every timer message is the poll, whatever its id.
  void OnTimer(UINT_PTR id) override;
  // The fields only show: keys addressed to the page or its controls are dropped.
  BOOL PreTranslateMessage(MSG* msg) override;
  // A double-click on either bar opens the link monitor.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // Reads the link and fills the values, bars and percentage labels; reports the signal
  // figures to the parent.
  void RefreshLinkInfo();
  // Finds the IP address of the platform's adapter whose hardware address reads like the
  // MAC address text. The value reaches its field at the next refresh.
  void LookUpIpAddress();

  // The values of the seven fields; they reach the screen only through data exchange.
  std::string m_status;
  std::string m_ssid;
  int m_channel = 0;
  std::string m_txRate;
  std::string m_macAddress;
  std::string m_ipAddress;
  std::string m_connectionType;

  CBitmapProgressCtrl m_qualityBar;
  CBitmapProgressCtrl m_signalBar;

  // What the last tick read; handed to the main window after each tick.
  const LinkReading& LastReading() const { return m_reading; }

 private:
  CPageHost* Host() const;
  void ReportReading();
  void ShowNoLink();
  void ReadMacAddress();
  void ReadRate();
  // Stops polling, reports no link and stops the library, as the main window would.
  void OnAdapterGone();
  void PostLinkStatus(unsigned long status);
  // Hidden around the change so the parent repaints the backdrop under the new text.
  void SetPercentLabel(int id, const std::string& text);
  CBitmapLabel& Label(int id);

  // Captions and the two percentage labels, in the order of kLabelIds.
  static const std::array<int, 12> kLabelIds;
  std::array<CBitmapLabel, 12> m_labels;
  LinkReading m_reading;
};

}  // namespace tarnel
