// Looking around and joining: the SiteSurvey page lists the networks in range after it comes to
// the front, and a double-click on a row (real mouse input to the list) joins that network.
#include "E2eListView.h"
#include "Journey.h"
#include "SimDefaults.h"

namespace tarnel::test {
namespace {

class Survey : public Journey {
 protected:
  // The page in front with the survey that its activation schedules done.
  HWND OpenSurvey(int rows) {
    HWND page = ShowPage(PageKind::SiteSurvey);
    RemoteListView list(::GetDlgItem(page, IDC_SURVEY_LIST));
    EXPECT_GE(WaitFor([&] { return list.RowCount() == rows; }, kSurveyWait), 0) << "rows listed";
    return page;
  }
  // Double-clicks the middle of a row as the mouse would.
  void DoubleClickRow(HWND page, int row) {
    RemoteListView list(::GetDlgItem(page, IDC_SURVEY_LIST));
    const RECT bounds = list.RowBounds(row);
    ASSERT_LT(bounds.top, bounds.bottom) << "row " << row << " is shown";
    list.PostDoubleClick({bounds.left + 60, (bounds.top + bounds.bottom) / 2});
  }
};

TEST_F(Survey, ActivationListsTheNetworksInRange) {
  Sim().ClearLog();
  HWND page = OpenSurvey(6);
  EXPECT_EQ(Calls{"NV_SiteSurvey()"}, SettingCalls()) << "one survey per activation";
  RemoteListView list(::GetDlgItem(page, IDC_SURVEY_LIST));
  ASSERT_TRUE(list.IsUsable());
  using Row = std::vector<std::string>;
  EXPECT_EQ((Row{"Infrastructure", "tarnel-lab", Bssid("tarnel-lab"), "6", "78%", "Disable",
                 "1.0 M(Basic),2.0 M(Basic),5.5 M,11.0 M,"}),
            list.Row(0));
  EXPECT_EQ((Row{"Infrastructure", "Harbour-Office", Bssid("Harbour-Office"), "1", "64%", "Enable",
                 "1.0 M(Basic),2.0 M(Basic),5.5 M,11.0 M,"}),
            list.Row(1));
  EXPECT_EQ((Row{"Ad Hoc", "meshroom", Bssid("meshroom"), "11", "41%", "Disable", "1.0 M(Basic),2.0 M(Basic),"}),
            list.Row(2));
  EXPECT_EQ("printer-direct", list.Text(5, 1)) << "in the adapter's order";
  SaveShot("site-survey", Main());

  // Refresh surveys again and shows a network that came into range meanwhile.
  Sim().AddNetwork(sim::MakeNetwork("late-arrival", 1, 13, 12, true, true));
  Sim().ClearLog();
  Click(page, IDC_SURVEY_REFRESH);
  EXPECT_EQ(Calls{"NV_SiteSurvey()"}, SettingCalls());
  ASSERT_EQ(7, list.RowCount());
  EXPECT_EQ("late-arrival", list.Text(6, 1));
  EXPECT_EQ("12%", list.Text(6, 4));
}

TEST_F(Survey, DoubleClickJoinsTheNetworkAndShowsTheLinkPage) {
  HWND page = OpenSurvey(6);
  Sim().ClearLog();
  DoubleClickRow(page, 1);  // Harbour-Office
  HWND link = Page(PageKind::LinkInfo);
  ASSERT_GE(WaitFor([&] { return ::IsWindowVisible(link) != FALSE; }, 1500), 0) << "the link page comes to the front";
  EXPECT_FALSE(::IsWindowVisible(page));
  // The profile names the new network before anything is sent; only these three calls go out.
  EXPECT_EQ("Harbour-Office", Stored().Text("Default", "SSID"));
  EXPECT_EQ(1, Stored().Number("Default", "NETMODE"));
  EXPECT_EQ(1, Stored().Number("Default", "CHANNEL")) << "the rest as the profile had it";
  EXPECT_EQ((Calls{"NV_SetNetworkType(1)", "NV_SetSSID(Harbour-Office)", "NV_Rescan()"}), SettingCalls());
  const std::string status = LinkStatus("Associated", "Harbour-Office");
  EXPECT_EQ(status, AwaitText(link, IDC_STATUS, status));
  EXPECT_EQ("1", ControlText(link, IDC_CHANNEL));
  EXPECT_EQ("Harbour-Office", ControlText(link, IDC_SSID));

  // An ad hoc cell: its network type goes to the profile and the adapter unchanged.
  page = OpenSurvey(6);
  Sim().ClearLog();
  DoubleClickRow(page, 2);  // meshroom
  const std::string adHoc = LinkStatus("Ad-Hoc", "meshroom");
  EXPECT_EQ(adHoc, AwaitText(link, IDC_STATUS, adHoc));
  EXPECT_EQ("Ad Hoc", ControlText(link, IDC_CONNECTION_TYPE));
  EXPECT_EQ((Calls{"NV_SetNetworkType(0)", "NV_SetSSID(meshroom)", "NV_Rescan()"}), SettingCalls());
  EXPECT_EQ(0, Stored().Number("Default", "NETMODE"));
}

TEST_F(Survey, DoubleClickBelowTheRowsJoinsNothing) {
  HWND page = OpenSurvey(6);
  RemoteListView list(::GetDlgItem(page, IDC_SURVEY_LIST));
  const RECT last = list.RowBounds(5);
  RECT client;
  ::GetClientRect(::GetDlgItem(page, IDC_SURVEY_LIST), &client);
  ASSERT_LT(last.bottom + 10, client.bottom) << "room below the rows";
  Sim().ClearLog();
  list.PostDoubleClick({last.left + 60, last.bottom + 10});
  // A join queued behind it shows when the first double-click has been handled.
  DoubleClickRow(page, 3);  // Cafe_Guest
  ASSERT_GE(WaitFor([&] { return SettingCalls().size() >= 3; }, 1500), 0);
  EXPECT_EQ((Calls{"NV_SetNetworkType(1)", "NV_SetSSID(Cafe_Guest)", "NV_Rescan()"}), SettingCalls())
      << "only the double-click on a row joined";
}

}  // namespace
}  // namespace tarnel::test
