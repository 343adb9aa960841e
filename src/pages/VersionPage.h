// The version panel beside the pages: a picture, the driver's version and the utility's.
#pragma once

#include "pages/BackdropPage.h"
#include "widgets/BitmapLabel.h"

namespace tarnel {

class CVersionPage : public CBackdropPage {
 public:
  CVersionPage();

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  // Reads both versions into their fields; the main window never calls it, initialisation does.
  BOOL OnSetActive() override;
  // Keys addressed to the panel or its fields are discarded: the fields are display only.
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnDestroy() override;

 private:
  CBitmapLabel m_versionInfoLabel;
  CBitmapLabel m_utilityVersionLabel;
  CBitmapLabel m_driverVersionLabel;
};

}  // namespace tarnel
