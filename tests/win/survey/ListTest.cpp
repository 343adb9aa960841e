// What the survey list shows: its columns, one row per record the library reports, the
// texts and icons of a row, and what the user sees while the library scans.
#include "SurveyTestSupport.h"
#include "adapter/NvLibrary.h"
#include "framework/WaitCursor.h"

namespace tarnel::test {
namespace {

TEST_F(SurveyPageTest, ColumnsAndIconsAreReadyAndNoSurveyRunsAtCreation) {
  const std::pair<const char*, int> columns[] = {{"Wireless Type", 100}, {"SSID", 150}, {"BSSID", 150},
                                                 {"Channel", 50},        {"Signal", 50}, {"WEP", 50},
                                                 {"Supported Rates", 250}};
  for (int i = 0; i < 7; ++i) {
    char heading[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = heading;
    column.cchTextMax = sizeof(heading);
    ASSERT_TRUE(::SendMessageA(List(), LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column))) << i;
    EXPECT_STREQ(columns[i].first, heading);
    EXPECT_EQ(columns[i].second, column.cx) << heading;
    EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK) << heading;
  }
  auto icons = reinterpret_cast<HIMAGELIST>(::SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_TRUE(icons);
  EXPECT_EQ(2, ImageList_GetImageCount(icons));
  int cx = 0, cy = 0;
  ImageList_GetIconSize(icons, &cx, &cy);
  EXPECT_EQ(16, cx);
  EXPECT_EQ(16, cy);

  EXPECT_EQ(0, RowCount(List()));
  Pump(50);
  EXPECT_EQ(Calls{}, driver.Calls());
}

TEST_F(SurveyPageTest, OneRowPerReportedRecordInTheLibrarysOrder) {
  struct Case {
    int written;
    int32_t reported;  // -1: as many as written
    int rows;
  };
  const Case cases[] = {
      {0, -1, 0}, {1, -1, 1}, {260, -1, 260},
      {260, 300, 260},  // more than the buffer holds: its 260 records
      {5, 3, 3},        // only what the library counted
      {2, 4, 4},        // counted but not written: the zeroed records
  };
  for (const Case& c : cases) {
    std::vector<SiteSurveyEntry> networks;
    for (int i = 0; i < c.written; ++i) networks.push_back(Network("net" + std::to_string(i)));
    Survey(networks, c.reported);
    ASSERT_EQ(c.rows, RowCount(List())) << c.written << " written, " << c.reported << " reported";
    EXPECT_EQ(c.rows, page.SurveyCount());
    for (int i = 0; i < std::min(c.rows, c.written); ++i)
      ASSERT_EQ("net" + std::to_string(i), CellText(List(), i, 1)) << "row " << i;
  }
}

// The scripted driver answers no negative counts: this library does.
int32_t g_negativeCount = 0;
int32_t NVAPI NegativeSurvey(uint8_t* buffer) {
  std::memset(buffer, 0x11, sizeof(SiteSurveyEntry));
  return g_negativeCount;
}

TEST_F(SurveyPageTest, NegativeCountListsNothing) {
  Survey({Network("a")});
  const NvFunctions scripted = Nv();
  NvFunctions table = scripted;
  table.NV_SiteSurvey = &NegativeSurvey;
  InstallNvFunctions(table);
  for (int32_t count : {-1, INT32_MIN}) {
    g_negativeCount = count;
    page.RunSiteSurvey();
    EXPECT_EQ(0, RowCount(List())) << count;
    EXPECT_EQ(0, page.SurveyCount()) << count;
  }
  InstallNvFunctions(scripted);
}

TEST_F(SurveyPageTest, RowTextsAndIcons) {
  SiteSurveyEntry adHoc = Network("Cafe", 0, 1);
  const uint8_t bssid[6] = {0x00, 0x0a, 0xff, 0x10, 0x20, 0x3c};
  std::memcpy(adHoc.bssid, bssid, 6);
  adHoc.signal = 87;
  adHoc.wep = 2;
  const uint8_t rates[] = {0x82, 0x84, 0x0B, 0x16};
  std::memcpy(adHoc.rates, rates, sizeof(rates));

  SiteSurveyEntry full = Network(std::string(32, 'W'), 2, 14);
  full.signal = 255;
  full.rates[0] = 0x80;
  full.rates[1] = 0x81;

  SiteSurveyEntry plain = Network("Office", 1, 11);
  plain.rates[0] = 0x02;
  plain.rates[1] = 0x04;
  plain.rates[3] = 0x16;  // after the first 0: not a rate

  Survey({adHoc, full, plain});
  using Texts = std::array<std::string, 7>;
  EXPECT_EQ((Texts{"Ad Hoc", "Cafe", "00:0A:FF:10:20:3C", "1", "87%", "Enable",
                   "1.0 M(Basic),2.0 M(Basic),5.5 M,11.0 M,"}),
            RowTexts(List(), 0));
  EXPECT_EQ((Texts{"Infrastructure", std::string(32, 'W'), "00:00:00:00:00:00", "14", "255%", "Disable",
                   "64.0 M,0.5 M(Basic),"}),
            RowTexts(List(), 1));
  EXPECT_EQ((Texts{"Infrastructure", "Office", "00:00:00:00:00:00", "11", "50%", "Disable", "1.0 M,2.0 M,"}),
            RowTexts(List(), 2));
  EXPECT_EQ(1, RowIcon(List(), 0));
  EXPECT_EQ(0, RowIcon(List(), 1));
  EXPECT_EQ(0, RowIcon(List(), 2));
}

TEST_F(SurveyPageTest, ListIsEmptiedAndPaintedBeforeTheLibraryScans) {
  Survey({Network("a"), Network("b"), Network("c")});
  ASSERT_EQ(3, RowCount(List()));
  ::InvalidateRect(List(), nullptr, TRUE);  // a paint is pending before the survey too

  struct Seen {
    int rows = -1;
    BOOL pendingPaint = TRUE;
    int waitCursors = -1;
  } seen;
  driver.onCall = [&](const std::string& call) {
    if (call != "NV_SiteSurvey()") return;
    seen.rows = RowCount(List());
    seen.pendingPaint = ::GetUpdateRect(List(), nullptr, FALSE);
    seen.waitCursors = CWaitCursor::Depth();
  };
  Survey({Network("d")});
  EXPECT_EQ(0, seen.rows);
  EXPECT_FALSE(seen.pendingPaint) << "the emptied list is on the screen while the library scans";
  EXPECT_EQ(1, seen.waitCursors);
  EXPECT_EQ(0, CWaitCursor::Depth());
  EXPECT_EQ(1, RowCount(List()));
}

// The list is filled without drawing; afterwards it must draw again, scroll bar included.
TEST_F(SurveyPageTest, FilledListIsDrawnWithItsScrollBar) {
  std::vector<SiteSurveyEntry> networks(NV_SURVEY_MAX_ENTRIES, Network("WWWWWWWW"));
  Survey(networks);
  ::RedrawWindow(List(), nullptr, nullptr, RDW_UPDATENOW);
  EXPECT_TRUE(::GetWindowLongA(List(), GWL_STYLE) & WS_VSCROLL);
  SCROLLINFO scroll = {};
  scroll.cbSize = sizeof(scroll);
  scroll.fMask = SIF_RANGE;
  ASSERT_TRUE(::GetScrollInfo(List(), SB_VERT, &scroll));
  EXPECT_EQ(NV_SURVEY_MAX_ENTRIES - 1, scroll.nMax);

  RECT label = {LVIR_LABEL, 0, 0, 0};
  ::SendMessageA(List(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
  HDC dc = ::GetDC(List());
  int dark = 0;
  for (int y = label.top; y < label.bottom; ++y)
    for (int x = label.left; x < label.right; ++x) {
      const COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
    }
  ::ReleaseDC(List(), dc);
  EXPECT_GT(dark, 20) << "the first row's text is on the screen";
}

// Records the library counts but does not write read as zeros, not as the previous survey's.
TEST_F(SurveyPageTest, BufferIsZeroedBeforeEverySurvey) {
  SiteSurveyEntry old = Network("Old", 1, 9);
  old.wep = 1;
  old.rates[0] = 0x82;
  Survey({old, old});
  Survey({}, 2);
  using Texts = std::array<std::string, 7>;
  const Texts zero = {"Ad Hoc", "", "00:00:00:00:00:00", "0", "0%", "Disable", ""};
  EXPECT_EQ(zero, RowTexts(List(), 0));
  EXPECT_EQ(zero, RowTexts(List(), 1));
}

TEST_F(SurveyPageTest, RefreshButtonRunsASurvey) {
  driver.survey = {Network("x"), Network("y")};
  ::SendMessageA(page.GetDlgItem(IDC_SURVEY_REFRESH), BM_CLICK, 0, 0);
  EXPECT_EQ(Calls{"NV_SiteSurvey()"}, driver.Calls());
  EXPECT_EQ(2, RowCount(List()));
}

}  // namespace
}  // namespace tarnel::test
