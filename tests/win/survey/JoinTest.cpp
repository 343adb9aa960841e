// Joining a network by a double-click on its row: the current profile is stored with the
// row's name and type before the driver is told, then the link page is shown.
#include "SurveyTestSupport.h"
#include "app/TarnelDlg.h"

namespace tarnel::test {
namespace {

class JoinTest : public SurveyPageTest {
 protected:
  void SetUp() override {
    SurveyPageTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(RegisterAdapter());
    CurrentProfileName = "Travel";
    WriteProfileInt("Travel", "CHANNEL", 6);
    WriteProfileInt("Travel", "TXRATE", 3);
    WriteProfileInt("Travel", "POWERMODE", 2);
    WriteProfileInt("Travel", "NETMODE", 1);
  }
};

TEST_F(JoinTest, DoubleClickOnARowStoresItsNetworkThenTellsTheDriverThenShowsTheLinkPage) {
  Survey({Network("Home", 1), Network("Garage", 2), Network("Cafe", 0)});
  driver.ClearCalls();
  std::string storedWhenDriverWasTold;
  driver.onCall = [&](const std::string& call) {
    if (call.rfind("NV_SetNetworkType", 0) == 0) storedWhenDriverWasTold = ReadProfileText("Travel", "SSID");
  };

  DoubleClickAt(RowPoint(1));
  EXPECT_EQ((Calls{"NV_SetNetworkType(2)", "NV_SetSSID(Garage)", "NV_Rescan()", "SelectPage(0)"}),
            driver.Calls());
  EXPECT_EQ("Garage", storedWhenDriverWasTold);
  EXPECT_EQ("Garage", ReadProfileText("Travel", "SSID"));
  EXPECT_EQ(2, ReadProfileInt("Travel", "NETMODE")) << "the type byte unchanged";
  EXPECT_EQ(6, ReadProfileInt("Travel", "CHANNEL"));
  EXPECT_EQ(3, ReadProfileInt("Travel", "TXRATE"));
  EXPECT_EQ(2, ReadProfileInt("Travel", "POWERMODE"));
  EXPECT_EQ("<no key>", ReadProfileText("Default", "SSID")) << "only the current profile";

  driver.ClearCalls();
  DoubleClickAt(RowPoint(2));
  EXPECT_EQ((Calls{"NV_SetNetworkType(0)", "NV_SetSSID(Cafe)", "NV_Rescan()", "SelectPage(0)"}),
            driver.Calls());
  EXPECT_EQ(0, ReadProfileInt("Travel", "NETMODE"));
}

TEST_F(JoinTest, AThirtyTwoByteNameIsJoinedWhole) {
  const std::string name(32, 'Q');
  SiteSurveyEntry record = Network(name);
  record.bssid[0] = 'Z';  // what follows the name in the record must not join it
  Survey({record});
  driver.ClearCalls();
  DoubleClickAt(RowPoint(0));
  EXPECT_EQ((Calls{"NV_SetNetworkType(1)", "NV_SetSSID(" + name + ")", "NV_Rescan()", "SelectPage(0)"}),
            driver.Calls());
  EXPECT_EQ(name, ReadProfileText("Travel", "SSID"));
}

TEST_F(JoinTest, MissingSettingsAreStoredWithTheirDefaults) {
  CurrentProfileName = "Fresh";
  Survey({Network("Home")});
  DoubleClickAt(RowPoint(0));
  EXPECT_EQ("Home", ReadProfileText("Fresh", "SSID"));
  EXPECT_EQ(1, ReadProfileInt("Fresh", "NETMODE"));
  EXPECT_EQ(1, ReadProfileInt("Fresh", "CHANNEL"));
  EXPECT_EQ(0, ReadProfileInt("Fresh", "TXRATE"));
  EXPECT_EQ(0, ReadProfileInt("Fresh", "POWERMODE"));
}

TEST_F(JoinTest, NothingHappensOffTheListedRows) {
  Survey({Network("Home"), Network("Garage")});
  driver.ClearCalls();
  RECT client;
  ::GetClientRect(List(), &client);
  DoubleClickAt({10, client.bottom - 5});  // the empty area below the rows
  for (int row : {-1, 2, 259, 260, 100000}) page.JoinNetwork(row);  // beyond the last survey

  Survey({});
  driver.ClearCalls();
  page.JoinNetwork(0);  // the record of the previous survey is gone with it

  EXPECT_EQ(Calls{}, driver.Calls());
  EXPECT_EQ(6, ReadProfileInt("Travel", "CHANNEL"));
  EXPECT_EQ("<missing>", ReadProfileText("Travel", "SSID"));
}

TEST_F(SurveyPageTest, WithoutAStoreTheDriverIsStillTold) {
  Survey({Network("Home", 0)});
  driver.ClearCalls();
  DoubleClickAt(RowPoint(0));
  EXPECT_EQ((Calls{"NV_SetNetworkType(0)", "NV_SetSSID(Home)", "NV_Rescan()", "SelectPage(0)"}),
            driver.Calls());
}

// In the real main window the join brings the link information page to the front.
TEST(SurveyInMainWindow, JoinShowsTheLinkPage) {
  FakeDriver driver;
  CTarnel_UIDlg window;
  ASSERT_TRUE(window.Create(nullptr));
  window.SelectPage(3);
  auto* survey = dynamic_cast<CSiteSurveyPage*>(window.PageTable(3));
  ASSERT_TRUE(survey);
  driver.survey = {Network("Home")};
  survey->RunSiteSurvey();
  ASSERT_TRUE(::IsWindowVisible(survey->m_hWnd));

  HWND list = survey->GetDlgItem(IDC_SURVEY_LIST);
  RECT label = {LVIR_LABEL, 0, 0, 0};
  ::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
  ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2));
  EXPECT_EQ(0, window.CurrentPage());
  EXPECT_TRUE(::IsWindowVisible(window.PageTable(0)->m_hWnd));
  EXPECT_FALSE(::IsWindowVisible(survey->m_hWnd));
  window.DestroyWindow();
}

}  // namespace
}  // namespace tarnel::test
