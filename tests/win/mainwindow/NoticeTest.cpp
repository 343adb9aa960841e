// Power and device-change notices: which library calls they make, and what they do to
// AdapterReady, the page timers and the window's visibility.
#include <windows.h>
#include <dbt.h>

#include <memory>

#include "DeviceFixture.h"
#include "MainWindowFixture.h"
#include "RegistryCleanup.h"
#include "SimClient.h"
#include "adapter/AdapterDiscovery.h"
#include "framework/RegKey.h"

namespace tarnel::test {
namespace {

constexpr char kAdapterText[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";

class NoticeTest : public MainWindowTest {
 protected:
  void SetUp() override {
    Open();
    // Page i keeps its periodic timer under id i + 1.
    for (int i = 1; i < 4; ++i) ::SetTimer(Page(i), i + 1, 60000, nullptr);
    driver.ClearCalls();
  }

  LRESULT Power(WPARAM event) { return ::SendMessageA(Main(), WM_POWERBROADCAST, event, 0); }

  // As after a suspend: hidden, library stopped.
  void Suspend() {
    Power(PBT_APMSUSPEND);
    driver.ClearCalls();
  }

  // Timers still running on the pages, by page index; all are stopped afterwards.
  std::vector<int> RunningPageTimers() {
    std::vector<int> running;
    for (int i = 0; i < window.PageCount(); ++i)
      if (TakeTimer(Page(i), i + 1)) running.push_back(i);
    return running;
  }

  bool Visible() const { return ::IsWindowVisible(Main()) != FALSE; }
};

TEST_F(NoticeTest, SuspendStopsEverythingAndResumeBringsTheWindowBackInFront) {
  Power(PBT_APMSUSPEND);
  EXPECT_EQ(Calls{"NV_Stop()"}, driver.Calls());
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_FALSE(Visible());
  EXPECT_EQ(std::vector<int>{}, RunningPageTimers());
  Tick();
  EXPECT_EQ(Calls{"NV_Stop()"}, driver.Calls()) << "no mode watch while not ready";

  driver.ClearCalls();
  driver.initializeAnswer = 0;
  Power(PBT_APMRESUMESUSPEND);
  EXPECT_EQ(Calls{"NV_Initialize(0)"}, driver.Calls());
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_FALSE(Visible());

  driver.initializeAnswer = 1;
  Power(PBT_APMRESUMESUSPEND);
  EXPECT_TRUE(window.AdapterReady);
  EXPECT_TRUE(Visible());
  EXPECT_FALSE(::IsIconic(Main()));
  EXPECT_EQ(Main(), ::GetForegroundWindow());
  EXPECT_EQ(std::vector<int>{0}, RunningPageTimers()) << "only the link page polls again";
}

TEST_F(NoticeTest, ResumeActivatesThePageInFront) {
  window.SelectPage(1);
  window.SelectPage(0);  // the link page's first activation transfers nothing
  auto* linkPage = dynamic_cast<CLinkInfoPage*>(window.PageTable(0));
  linkPage->m_status = "after resume";
  Suspend();
  Power(PBT_APMRESUMESUSPEND);
  EXPECT_EQ("after resume", CWnd::GetWindowText(::GetDlgItem(Page(0), IDC_STATUS)));
}

TEST_F(NoticeTest, OtherPowerEventsChangeNothing) {
  for (WPARAM event : {PBT_APMPOWERSTATUSCHANGE, PBT_APMRESUMEAUTOMATIC, PBT_APMQUERYSUSPEND}) {
    Power(event);
    EXPECT_EQ(Calls{}, driver.Calls()) << "event " << event;
    EXPECT_TRUE(window.AdapterReady);
    EXPECT_TRUE(Visible());
  }
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), RunningPageTimers());
}

TEST_F(NoticeTest, UnpluggedSequenceHidesReportsNoLinkAndStopsTheLibrary) {
  TakeLinkStatus();
  window.OnAdapterUnplugged();
  EXPECT_EQ(Calls{"NV_Stop()"}, driver.Calls());
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_FALSE(Visible());
  EXPECT_EQ(std::vector<WPARAM>{0}, TakeLinkStatus());
  EXPECT_EQ(std::vector<int>{}, RunningPageTimers());
}

TEST_F(NoticeTest, TrayOpenCommandRestoresTheWindow) {
  ::ShowWindow(Main(), SW_MINIMIZE);
  ::ShowWindow(Main(), SW_HIDE);
  ::SendMessageA(Main(), WM_COMMAND, ID_TRAY_OPEN, 0);
  EXPECT_TRUE(Visible());
  EXPECT_FALSE(::IsIconic(Main()));
}

// NT family: every notice looks for the adapter among the network devices first.
class NtDeviceChangeTest : public NoticeTest {
 protected:
  void SetUp() override {
    ForcePlatformFamily(0);
    DeviceFixture::RemoveAll(kAdapterText);
    ASSERT_TRUE(sim_.Open());
    sim_.SetDevNodeProblem(0);
    NoticeTest::SetUp();
  }
  void TearDown() override {
    device_.reset();
    sim_.SetDevNodeProblem(-1);
    NoticeTest::TearDown();
  }
  void Plug() {
    device_ = std::make_unique<DeviceFixture>(kAdapterText, std::string(kNetClassKeyName) + "\\0931");
    ASSERT_TRUE(device_->Registered());
  }
  void Notice() { ::SendMessageA(Main(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0); }

  sim::SimClient sim_;
  std::unique_ptr<DeviceFixture> device_;
};

TEST_F(NtDeviceChangeTest, WithoutAHealthyAdapterNothingHappens) {
  Notice();
  EXPECT_EQ(Calls{}, driver.Calls()) << "no adapter registered";
  Plug();
  sim_.SetDevNodeProblem(10);
  Notice();
  EXPECT_EQ(Calls{}, driver.Calls()) << "the adapter reports a problem";
  EXPECT_TRUE(window.AdapterReady);
  EXPECT_TRUE(Visible());
}

TEST_F(NtDeviceChangeTest, PresentAdapterIsInitialisedAgainAndNothingElseChanges) {
  Plug();
  const int minor = HIBYTE(LOWORD(::GetVersion()));
  const DWORD start = ::GetTickCount();
  Notice();
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_EQ((Calls{"NV_Initialize(0)", "NV_IsUnplug()"}), driver.Calls());
  EXPECT_TRUE(window.AdapterReady);
  EXPECT_TRUE(Visible());
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), RunningPageTimers());
  if (minor != 0) {
    EXPECT_GE(elapsed, 790u) << "minor version " << minor << " waits 800 ms";
  } else {
    EXPECT_LT(elapsed, 700u) << "minor version 0 does not wait";
  }
}

TEST_F(NtDeviceChangeTest, FailedInitialisationClearsAdapterReady) {
  Plug();
  driver.initializeAnswer = 0;
  Notice();
  EXPECT_EQ(Calls{"NV_Initialize(0)"}, driver.Calls());
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_TRUE(Visible()) << "nothing else changes";
}

TEST_F(NtDeviceChangeTest, UnpluggedAdapterRunsTheUnpluggedSequence) {
  Plug();
  TakeLinkStatus();
  driver.unplugged = 1;
  Notice();
  EXPECT_EQ((Calls{"NV_Initialize(0)", "NV_IsUnplug()", "NV_Stop()"}), driver.Calls());
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_FALSE(Visible());
  EXPECT_EQ(std::vector<WPARAM>{0}, TakeLinkStatus());
  EXPECT_EQ(std::vector<int>{}, RunningPageTimers());
}

TEST_F(NtDeviceChangeTest, ReturningAdapterResumesOnASecondInitialisation) {
  Plug();
  Suspend();
  Notice();
  EXPECT_EQ((Calls{"NV_Initialize(0)", "NV_IsUnplug()", "NV_Initialize(0)"}), driver.Calls());
  EXPECT_TRUE(window.AdapterReady);
  EXPECT_TRUE(Visible());
  EXPECT_EQ(std::vector<int>{0}, RunningPageTimers());

  // The second initialisation fails: the window stays hidden.
  Suspend();
  int initialisations = 0;
  driver.onCall = [&](const std::string& call) {
    if (call == "NV_Initialize(0)" && ++initialisations == 2) driver.initializeAnswer = 0;
  };
  Notice();
  EXPECT_EQ((Calls{"NV_Initialize(0)", "NV_IsUnplug()", "NV_Initialize(0)"}), driver.Calls());
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_FALSE(Visible());
}

// 9x family: the notice's header names a device node, checked against the adapter's
// hardware key under the dynamic-data root.
constexpr uint32_t kOwnNode = 0x0000BEEF;
constexpr uint32_t kOtherNode = 0x0000CAFE;

enum class Subject { OwnNode, OtherNode, Volume, ShortNodeHeader, NoHeader };

class Win9xDeviceChangeTest : public NoticeTest {
 protected:
  void SetUp() override {
    ForcePlatformFamily(1);
    DeleteKeyTree(HKEY_DYN_DATA, "Config Manager");
    node_ = std::make_unique<ScopedRegistryKey>(HKEY_DYN_DATA, "Config Manager\\Enum\\0000BEEF");
    ASSERT_TRUE(node_->Created());
    const std::string hardwareKey = std::string(AdapterHardwareId) + "\\4&1A2B3C4D&0&40";
    RegKey key = RegKey::Open(HKEY_DYN_DATA, "Config Manager\\Enum\\0000BEEF", KEY_ALL_ACCESS);
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key.Get(), "HardWareKey", 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(hardwareKey.c_str()),
                                              static_cast<DWORD>(hardwareKey.size() + 1)));
    NoticeTest::SetUp();
  }

  LRESULT Notice(WPARAM event, Subject subject) {
    DEV_BROADCAST_DEVNODE node = {sizeof(node), DBT_DEVTYP_DEVNODE, 0, kOwnNode};
    switch (subject) {
      case Subject::OwnNode:
        break;
      case Subject::OtherNode:
        node.dbcd_devnode = kOtherNode;
        break;
      case Subject::Volume:
        node.dbcd_devicetype = DBT_DEVTYP_VOLUME;
        break;
      case Subject::ShortNodeHeader:
        node.dbcd_size = sizeof(DEV_BROADCAST_HDR);
        break;
      case Subject::NoHeader:
        return ::SendMessageA(Main(), WM_DEVICECHANGE, event, 0);
    }
    return ::SendMessageA(Main(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&node));
  }

  std::unique_ptr<ScopedRegistryKey> node_;
};

TEST_F(Win9xDeviceChangeTest, NoticesActOnlyForTheAdaptersNode) {
  struct Case {
    const char* name;
    WPARAM event;
    Subject subject;
    bool readyBefore;
    Calls calls;
    bool stopsAtOnce;  // answered 1 without the framework's processing
    bool readyAfter;
  };
  const Case cases[] = {
      {"arrival of the adapter, ready", DBT_DEVICEARRIVAL, Subject::OwnNode, true, {}, false, true},
      {"arrival of the adapter", DBT_DEVICEARRIVAL, Subject::OwnNode, false, {"NV_Initialize(0)"}, false, true},
      {"arrival of another node", DBT_DEVICEARRIVAL, Subject::OtherNode, false, {}, true, false},
      {"arrival, short node header", DBT_DEVICEARRIVAL, Subject::ShortNodeHeader, false, {}, true, false},
      {"arrival of a volume", DBT_DEVICEARRIVAL, Subject::Volume, false, {"NV_Initialize(0)"}, false, true},
      {"arrival without header", DBT_DEVICEARRIVAL, Subject::NoHeader, false, {"NV_Initialize(0)"}, false, true},
      {"query-remove of the adapter", DBT_DEVICEQUERYREMOVE, Subject::OwnNode, true, {"NV_Stop()"}, false, false},
      {"query-remove of another node", DBT_DEVICEQUERYREMOVE, Subject::OtherNode, true, {}, true, true},
      {"query-remove while not ready", DBT_DEVICEQUERYREMOVE, Subject::OwnNode, false, {}, false, false},
      {"removal complete", DBT_DEVICEREMOVECOMPLETE, Subject::OwnNode, true, {}, false, true},
  };
  for (const Case& c : cases) {
    if (c.readyBefore)
      window.ResumeAdapter();
    else
      Suspend();
    driver.ClearCalls();
    const LRESULT result = Notice(c.event, c.subject);
    EXPECT_EQ(c.calls, driver.Calls()) << c.name;
    if (c.stopsAtOnce) {
      EXPECT_EQ(1, result) << c.name;
    }
    EXPECT_EQ(c.readyAfter, window.AdapterReady != FALSE) << c.name;
    EXPECT_EQ(c.readyAfter, Visible()) << c.name;
  }
}

TEST_F(Win9xDeviceChangeTest, FailedInitialisationOnArrivalKeepsTheWindowHidden) {
  Suspend();
  driver.initializeAnswer = 0;
  Notice(DBT_DEVICEARRIVAL, Subject::OwnNode);
  EXPECT_EQ(Calls{"NV_Initialize(0)"}, driver.Calls());
  EXPECT_FALSE(window.AdapterReady);
  EXPECT_FALSE(Visible());
}

}  // namespace
}  // namespace tarnel::test
