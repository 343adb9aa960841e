#include "pages/SiteSurveyPage.h"

#include <commctrl.h>

#include <cstring>

#include "framework/WaitCursor.h"
#include "adapter/portable/SurveyRecord.h"
#include "profiles/ProfileGlobals.h"
#include "resource.h"
#include "widgets/PageHost.h"

namespace tarnel {
namespace {

void SetItemText(HWND list, int row, int column, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CSiteSurveyPage::CSiteSurveyPage()
    : CBackdropPage(IDD_SITE_SURVEY), m_labelBitmap(LoadBitmapResource(IDB_LABEL)) {
  std::memset(m_survey.data(), 0, NV_SURVEY_BUFFER);
  m_availableLabel.SetBackgroundBitmap(m_labelBitmap.Bitmap());
}

HWND CSiteSurveyPage::List() const { return GetDlgItem(IDC_SURVEY_LIST); }

void CSiteSurveyPage::DoDataExchange(CDataExchange* dx) {
  CBackdropPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_AVAILABLE_NETWORK, m_availableLabel);
}

BOOL CSiteSurveyPage::OnInitDialog() {
  CBackdropPage::OnInitDialog();
  InitImageList();
  InsertColumns();
  return TRUE;
}

// The 32 x 32 icons are scaled down to the list's 16 x 16.
void CSiteSurveyPage::InitImageList() {
  m_icons.Create(16, 16, ILC_COLOR | ILC_MASK, 0, 2);
  for (UINT id : {IDI_SURVEY_INFRA, IDI_SURVEY_ADHOC})
    m_icons.AddIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
  ::SendMessageA(List(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_icons.Get()));
}

void CSiteSurveyPage::InsertColumns() {
  for (int i = 0; i < kSurveyColumnCount; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kSurveyColumns[i].width;
    column.pszText = const_cast<char*>(kSurveyColumns[i].heading);
    column.iSubItem = i;
    ::SendMessageA(List(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

// The list view would destroy the list it holds along with itself; it is taken back so that
// its owner destroys it exactly once, whichever way the page goes.
void CSiteSurveyPage::OnDestroy() {
  ::SendMessageA(List(), LVM_SETIMAGELIST, LVSIL_SMALL, 0);
  m_icons.Reset();
  CBackdropPage::OnDestroy();
}

BOOL CSiteSurveyPage::OnSetActive() {
  if (m_hWnd) SetTimer(kTimerId, kSurveyDelayMs);  // never a thread timer
  return CBackdropPage::OnSetActive();
}

void CSiteSurveyPage::OnTimer(UINT_PTR id) {
  if (id != kTimerId) return CBackdropPage::OnTimer(id);
  KillTimer(kTimerId);
  RunSiteSurvey();
}

BOOL CSiteSurveyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_SURVEY_REFRESH && HIWORD(wParam) == BN_CLICKED) {
    RunSiteSurvey();
    return TRUE;
  }
  return CBackdropPage::OnCommand(wParam, lParam);
}

BOOL CSiteSurveyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && header->idFrom == IDC_SURVEY_LIST && header->code == static_cast<UINT>(NM_DBLCLK)) {
    JoinNetwork(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    *result = 0;
    return TRUE;
  }
  return CBackdropPage::OnNotify(wParam, lParam, result);
}

void CSiteSurveyPage::OnOK() {
  if (!SameWindow(::GetFocus(), List())) return;
  const int row = static_cast<int>(::SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  JoinNetwork(row);  // no row: nothing
}

void CSiteSurveyPage::RunSiteSurvey() {
  CWaitCursor wait;
  // The scan blocks the window: what shows meanwhile is the emptied list.
  ::SendMessageA(List(), LVM_DELETEALLITEMS, 0, 0);
  m_surveyCount = 0;
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

  m_surveyCount = settings::RunSurvey(&m_survey);
  if (auto* host = dynamic_cast<CPageHost*>(GetParent())) host->OnSurveyResult(m_survey.data(), m_surveyCount);
  // Filled without drawing: a shown list would otherwise redraw its scroll bar at every row.
  ::SendMessageA(List(), WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < m_surveyCount; ++i) AddSurveyRow(m_survey[i], i);
  ::SendMessageA(List(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(List(), nullptr, TRUE);
}

void CSiteSurveyPage::AddSurveyRow(const SiteSurveyEntry& record, int row) {
  const SurveyRow texts = DecodeSurveyRecord(record);
  HWND list = List();
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.pszText = const_cast<char*>(texts.texts[kSurveyTypeColumn].c_str());
  item.iImage = texts.icon;
  const int inserted = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (inserted < 0) return;
  for (int column = kSurveySsidColumn; column < kSurveyColumnCount; ++column)
    SetItemText(list, inserted, column, texts.texts[column]);
}

// A row index the last survey did not list (negative for a click beside the rows) joins
// nothing: the buffer past the last record holds zeros, not a network.
void CSiteSurveyPage::JoinNetwork(int row) {
  if (row < 0 || row >= m_surveyCount) return;
  settings::JoinNetwork(CurrentProfileName, m_survey[row]);
  TellUserChange();
  if (auto* host = dynamic_cast<CPageHost*>(GetParent())) host->SelectPage(0);
}

}  // namespace tarnel
