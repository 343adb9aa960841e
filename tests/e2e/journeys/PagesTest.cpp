// Going through the tabs, and the platform's own wireless configuration taking the adapter
// over and giving it back: the set of pages follows, unsaved edits go, page 0 comes to the front.
#include <utility>

#include "Journey.h"

namespace tarnel::test {
namespace {

const std::pair<PageKind, const char*> kTabbedPages[] = {
    {PageKind::LinkInfo, "page-link-info"},
    {PageKind::Configuration, "page-configuration"},
    {PageKind::Encryption, "page-encryption"},
    {PageKind::SiteSurvey, "page-site-survey"},
};
const int kOtherTabs[] = {IDC_TAB_CONFIGURATION, IDC_TAB_ENCRYPTION, IDC_TAB_SITE_SURVEY};

class Pages : public Journey {
 protected:
  // Which tabbed pages exist and are shown.
  std::string Visible() {
    std::string shown;
    for (const auto& page : kTabbedPages) {
      HWND window = Page(page.first);
      shown += !window ? '-' : ::IsWindowVisible(window) ? 'V' : 'h';
    }
    return shown;
  }
  bool TabShown(int id) { return ::IsWindowVisible(::GetDlgItem(Main(), id)) != FALSE; }
};

TEST_F(Pages, EachTabBringsItsPageAloneToTheFront) {
  EXPECT_EQ("Vhhh", Visible()) << "the link page first";
  HWND panel = Page(PageKind::VersionPanel);
  EXPECT_EQ("NVK4710 Driver 2.1.0.12", ControlText(panel, IDC_DRIVER_VERSION));
  EXPECT_EQ("1.3", ControlText(panel, IDC_UTILITY_VERSION));

  const char* const expected[] = {"Vhhh", "hVhh", "hhVh", "hhhV"};
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 3; i >= 0; --i) {
      ClickTab(Main(), TabControl(kTabbedPages[i].first));
      EXPECT_EQ(expected[i], Visible()) << "tab " << TabControl(kTabbedPages[i].first);
      EXPECT_TRUE(::IsWindowVisible(panel)) << "the version panel stays";
    }
  }
  // Pictures of each, the survey's after its rows came.
  for (const auto& page : kTabbedPages) {
    const uint32_t surveys = Count(sim::NvCall::NV_SiteSurvey);
    ClickTab(Main(), TabControl(page.first));
    if (page.first == PageKind::SiteSurvey)
      WaitFor([&] { return Count(sim::NvCall::NV_SiteSurvey) > surveys; }, kSurveyWait);
    SaveShot(page.second, Main());
  }
  ASSERT_EQ("hhhV", Visible());

  // The tab of the page in front, clicked again, does not activate it anew: no second survey.
  Sim().ClearLog();
  ClickTab(Main(), IDC_TAB_SITE_SURVEY);
  ::Sleep(800);
  EXPECT_EQ(Calls{}, SettingCalls());
}

TEST_F(Pages, ConfigurationTakenOverAndGivenBackRebuildsThePages) {
  HWND config = OpenSettingsPage(PageKind::Configuration);
  SetControlText(config, IDC_SSID, "tarnel-lab");
  Click(config, IDC_CONFIG_APPLY);
  SetControlText(config, IDC_SSID, "unsaved-edit");

  // The rebuild runs in the other process while this one looks: wait for its end state.
  Sim().SetXpConfig(true);
  ASSERT_GE(WaitFor([&] { return Visible() == "V---" && !TabShown(IDC_TAB_SITE_SURVEY); }, kRebuildWait), 0)
      << "the settings pages go; now " << Visible();
  EXPECT_EQ("V---", Visible()) << "only the link page, in front";
  for (int tab : kOtherTabs) EXPECT_FALSE(TabShown(tab)) << "tab " << tab;
  EXPECT_TRUE(TabShown(IDC_TAB_LINK_INFO));
  ASSERT_TRUE(Page(PageKind::VersionPanel));
  EXPECT_EQ("1.3", ControlText(Page(PageKind::VersionPanel), IDC_UTILITY_VERSION)) << "a new version panel";
  Sim().SetSignal(40, 41);
  EXPECT_EQ("40%", AwaitText(Page(PageKind::LinkInfo), IDC_SIGNAL_PERCENT, "40%")) << "the link page polls";
  SaveShot("os-managed", Main());

  Sim().SetXpConfig(false);
  ASSERT_GE(WaitFor([&] { return Visible() == "Vhhh" && TabShown(IDC_TAB_CONFIGURATION); }, kRebuildWait), 0)
      << "the settings pages are back; now " << Visible();
  EXPECT_EQ("Vhhh", Visible()) << "page 0 in front";
  for (int tab : kOtherTabs) EXPECT_TRUE(TabShown(tab)) << "tab " << tab;
  config = OpenSettingsPage(PageKind::Configuration);
  EXPECT_EQ("tarnel-lab", ControlText(config, IDC_SSID)) << "the unsaved edit is lost";
}

class PagesUnderOsConfiguration : public Pages {
 protected:
  void BeforeLaunch() override { Sim().SetXpConfig(true); }
};

TEST_F(PagesUnderOsConfiguration, StartsWithTheLinkPageOnly) {
  EXPECT_EQ("V---", Visible());
  for (int tab : kOtherTabs) EXPECT_FALSE(TabShown(tab)) << "tab " << tab;
  EXPECT_EQ("Link Info", ControlText(Main(), IDC_TAB_LINK_INFO));
  // A click on a hidden tab's label finds no page to bring.
  ClickTab(Main(), IDC_TAB_SITE_SURVEY);
  EXPECT_EQ("V---", Visible());
  const std::string status = LinkStatus("Associated", "tarnel-lab");
  EXPECT_EQ(status, AwaitText(Page(PageKind::LinkInfo), IDC_STATUS, status));
}

}  // namespace
}  // namespace tarnel::test
