// Suspend and resume, unplug and replug: the program lets go of the adapter (window hidden,
// polling stopped, library stopped, icon deaf) and takes it up again when it returns.
#include "AdapterDevice.h"
#include "Journey.h"

namespace tarnel::test {
namespace {

using sim::NvCall;

constexpr WPARAM kSuspend = 4;   // PBT_APMSUSPEND
constexpr WPARAM kResume = 7;    // PBT_APMRESUMESUSPEND
constexpr WPARAM kDevNodesChanged = 7;  // DBT_DEVNODES_CHANGED: carries no header
constexpr DWORD kQuietWait = 700;       // two link ticks

class Power : public Journey {
 protected:
  void Broadcast(WPARAM event) { ::SendMessageA(Main(), WM_POWERBROADCAST, event, 0); }
  // Returns once the notice has been handled (it waits 800 ms for the device to settle).
  void DeviceChanged() { ::SendMessageA(Main(), WM_DEVICECHANGE, kDevNodesChanged, 0); }

  // No link tick runs any more and the icon ignores a double-click.
  void ExpectLetGo() {
    const uint32_t reads = Count(NvCall::NV_IsUnplug);
    ::Sleep(kQuietWait);
    EXPECT_EQ(reads, Count(NvCall::NV_IsUnplug)) << "the link page stopped polling";
    SendTrayMouse(Main(), WM_LBUTTONDBLCLK);
    EXPECT_FALSE(Shown()) << "the icon ignores the mouse";
  }
  // The window back and the link page refreshing: it shows a signal it has not shown before.
  void ExpectTakenUp(int signal = 57) {
    EXPECT_TRUE(Shown());
    Sim().SetSignal(signal, 43);
    const std::string text = std::to_string(signal) + "%";
    EXPECT_EQ(text, AwaitText(Page(PageKind::LinkInfo), IDC_SIGNAL_PERCENT, text)) << "polling again";
  }
  void ExpectCalls(uint32_t initialize, uint32_t stop) {
    EXPECT_EQ(initialize, Count(NvCall::NV_Initialize));
    EXPECT_EQ(stop, Count(NvCall::NV_Stop));
  }
};

TEST_F(Power, SuspendLetsGoAndResumeTakesUpWithThePageInFront) {
  HWND survey = ShowPage(PageKind::SiteSurvey);
  ASSERT_GE(WaitFor([&] { return Count(NvCall::NV_SiteSurvey) == 1; }, kSurveyWait), 0);
  Broadcast(kSuspend);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(1u, Count(NvCall::NV_Stop));
  ExpectLetGo();

  Sim().ClearLog();
  Sim().ResetCounters();
  Broadcast(kResume);
  EXPECT_EQ(1u, Count(NvCall::NV_Initialize));
  EXPECT_TRUE(::IsWindowVisible(survey)) << "the same page in front";
  EXPECT_EQ(0u, Count(NvCall::NV_SiteSurvey)) << "not at once";
  EXPECT_GE(WaitFor([&] { return Count(NvCall::NV_SiteSurvey) > 0; }, kSurveyWait), 0)
      << "and activated again: it surveys";
  EXPECT_EQ((Calls{"NV_Initialize(0)", "NV_SiteSurvey()"}), SettingCalls());
  ExpectTakenUp();
  EXPECT_EQ(0u, Count(NvCall::NV_Stop));
}

TEST_F(Power, ResumeThatCannotInitialiseStaysHiddenUntilOneThatCan) {
  Broadcast(kSuspend);
  Sim().SetInitializeAnswer(false);
  Broadcast(kResume);
  EXPECT_EQ(2u, Count(NvCall::NV_Initialize));
  EXPECT_FALSE(Shown());
  ExpectLetGo();

  Sim().SetInitializeAnswer(true);
  Broadcast(kResume);
  EXPECT_EQ(3u, Count(NvCall::NV_Initialize));
  ExpectTakenUp();
}

TEST_F(Power, UnplugLetsGoAndReplugTakesUp) {
  Sim().SetUnplugged(true);
  // The page hides the window first and stops the library last.
  EXPECT_GE(WaitFor([&] { return !Shown() && Count(NvCall::NV_Stop) == 1; }, kLinkTickWait), 0)
      << "the link page saw the adapter go";
  ExpectLetGo();

  // The card is out: the notice finds no adapter and changes nothing.
  ASSERT_EQ(1, sim::RemoveAdapterDevices(sim::kAdapterDescription));
  DeviceChanged();
  EXPECT_EQ(1u, Count(NvCall::NV_Initialize));
  EXPECT_FALSE(Shown());

  // The card is back.
  ASSERT_TRUE(sim::RegisterAdapterDevice(sim::kAdapterDescription, kJourneyDriverKey, sim::kAdapterHardwareId));
  Sim().SetUnplugged(false);
  DeviceChanged();
  EXPECT_EQ(3u, Count(NvCall::NV_Initialize)) << "once to look, once to take it up";
  ExpectTakenUp();
  EXPECT_EQ(1u, Count(NvCall::NV_Stop));
}

TEST_F(Power, NoticeWhileTheAdapterIsWellOnlyInitialisesAgain) {
  DeviceChanged();
  EXPECT_EQ(2u, Count(NvCall::NV_Initialize));
  EXPECT_EQ(0u, Count(NvCall::NV_Stop));
  EXPECT_TRUE(Shown());
}

// The control tool alone, as the README shows it: each command ends with the platform's notices.
TEST_F(Power, ControlToolUnplugsReplugsSuspendsAndResumes) {
  const std::string associated = LinkStatus("Associated", "tarnel-lab");
  ASSERT_TRUE(Nvksim("adapter remove"));
  EXPECT_GE(WaitFor([&] { return !Shown() && Count(NvCall::NV_Stop) == 1; }, kLinkTickWait), 0)
      << "the notice finds no adapter; the link page sees the card gone";
  ExpectCalls(1, 1);

  ASSERT_TRUE(Nvksim(std::string("adapter add ") + kJourneyDriverKey));
  ExpectCalls(3, 1);  // once to look, once to take it up
  ExpectTakenUp(57);
  EXPECT_EQ(associated, ControlText(Page(PageKind::LinkInfo), IDC_STATUS));

  ASSERT_TRUE(Nvksim("power suspend"));
  EXPECT_FALSE(Shown());
  ExpectCalls(3, 2);
  ASSERT_TRUE(Nvksim("power resume"));
  ExpectCalls(4, 2);
  ExpectTakenUp(61);
  EXPECT_EQ(associated, ControlText(Page(PageKind::LinkInfo), IDC_STATUS));
}

}  // namespace
}  // namespace tarnel::test
