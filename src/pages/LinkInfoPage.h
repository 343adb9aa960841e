// The "Link Info" page: what the adapter is doing now, refreshed on the page's own timer.
#pragma once

#include <array>
#include <string>

#include "pages/BackdropPage.h"
#include "widgets/BitmapLabel.h"
#include "widgets/BitmapProgressCtrl.h"

namespace tarnel {

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

 private:
  // Captions and the two percentage labels, in the order of kLabelIds.
  static const std::array<int, 12> kLabelIds;
  std::array<CBitmapLabel, 12> m_labels;
};

}  // namespace tarnel
