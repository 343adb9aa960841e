// The "SiteSurvey" page: the networks in range, one row each; a double-click joins one.
#pragma once

#include "framework/Gdi.h"
#include "pages/BackdropPage.h"
#include "pages/ImageList.h"
#include "settings/Survey.h"
#include "widgets/BitmapLabel.h"

namespace tarnel {

class CSiteSurveyPage : public CBackdropPage {
 public:
  // Page 3 uses timer 4 (page index + 1): one survey this long after each activation.
  static constexpr UINT_PTR kTimerId = 4;
  static constexpr UINT kSurveyDelayMs = 500;

  CSiteSurveyPage();

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  // Schedules a survey; a second activation within the delay moves it, so one survey runs.
  BOOL OnSetActive() override;
  void OnTimer(UINT_PTR id) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // Enter on the list's focused row joins that network, as a double-click on it does.
  void OnOK() override;
  void OnDestroy() override;

  // Empties the list, asks the library for the networks in range and lists them.
  void RunSiteSurvey();
  // Stores the row's network in the current profile, sends it to the driver and shows the
  // link page. Rows outside the last survey are ignored.
  void JoinNetwork(int row);

  // Rows of the last survey: the records a join may read.
  int SurveyCount() const { return m_surveyCount; }

 private:
  HWND List() const;
  void InitImageList();
  void InsertColumns();
  void AddSurveyRow(const SiteSurveyEntry& record, int row);

  // The last survey: joins read its records by row.
  settings::SurveyBuffer m_survey;
  int m_surveyCount = 0;
  ImageList m_icons;  // lent to the list view as its small-icon list
  GdiObject m_labelBitmap;  // bitmap 117 behind "Available Network"
  CBitmapLabel m_availableLabel;
};

}  // namespace tarnel
