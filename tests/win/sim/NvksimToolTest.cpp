// nvksim.exe run as another process changes what this process's NvkLib.dll reports, and
// reads what this process called.
#include <windows.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "MessagePump.h"
#include "PlatformNotice.h"
#include "SimClient.h"
#include "SimTestSupport.h"

namespace tarnel::sim {
namespace {

class NvksimToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim_.Open());
    sim_.ResetToDefaults();
    sim_.SetAssociationDelay(0);
    ASSERT_EQ("", lib_.missing);
  }
  void TearDown() override { sim_.ResetToDefaults(); }

  // Runs the tool and expects success; returns its output.
  std::string Tool(const std::string& arguments) {
    const test::ToolResult result = test::RunTool(arguments);
    EXPECT_EQ(0u, result.exitCode) << "nvksim " << arguments << "\n" << result.output;
    return result.output;
  }
  const NvFunctions& nv() const { return lib_.nv; }

  SimClient sim_;
  test::NvkLib lib_;
};

// The notices this program's window got: message, event, the unplug flag at that moment.
std::vector<std::array<int32_t, 3>> g_notices;

LRESULT CALLBACK KeepNotice(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_DEVICECHANGE || message == WM_POWERBROADCAST) && lParam == 0) {
    SimClient sim;
    g_notices.push_back({int32_t(message), int32_t(wParam), sim.Open() ? sim.State()->unplugged : -1});
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Each command's notices follow its change and reach every top-level window. At first this
// thread takes no message while the tool runs: the tool waits a bounded time, and the notice
// comes once the thread takes messages again.
TEST_F(NvksimToolTest, NoticesFollowTheChangeAndReachEveryWindowEvenOneThatAnswersLate) {
  WNDCLASSA type = {};
  type.lpfnWndProc = KeepNotice;
  type.lpszClassName = "NvksimToolTestWindow";
  RegisterClassA(&type);
  const std::unique_ptr<HWND__, decltype(&DestroyWindow)> window(
      CreateWindowExA(0, type.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      DestroyWindow);
  ASSERT_TRUE(window);
  const DWORD start = GetTickCount();
  const std::string late = test::RunTool("unplug on", 20000, false).output;
  EXPECT_LT(GetTickCount() - start, 2 * kNoticeWaitMs) << late;
  EXPECT_NE(std::string::npos, late.find("did not answer yet")) << late;
  tarnel::test::PumpUntil([] { return !g_notices.empty(); }, 1000);

  Tool("unplug off + power suspend + power resume + channel 3 + notice");
  const int32_t device = WM_DEVICECHANGE, power = WM_POWERBROADCAST;
  EXPECT_EQ((std::vector<std::array<int32_t, 3>>{{device, DBT_DEVNODES_CHANGED, 1},
                                                 {device, DBT_DEVNODES_CHANGED, 0},
                                                 {power, PBT_APMSUSPEND, 0},
                                                 {power, PBT_APMRESUMEAUTOMATIC, 0},
                                                 {power, PBT_APMRESUMESUSPEND, 0},
                                                 {device, DBT_DEVNODES_CHANGED, 0}}),
            g_notices);
}

TEST_F(NvksimToolTest, ChangesAreSeenThroughTheLibrary) {
  Tool("radio off + unplug on + xpconfig on + init off + signal 40 55 + plan 2 + "
       "mac 11:22:33:44:55:66 + driver Test Driver 9 + devnode problem 22");
  EXPECT_NE(0, nv().NV_GetIsRadioOff());
  EXPECT_NE(0, nv().NV_IsUnplug());
  EXPECT_NE(0, nv().NV_IsXPConfig());
  EXPECT_EQ(0, nv().NV_Initialize(0));
  int32_t signal = 0, quality = 0, plan = -1, channel = -1, state = -1, type = -1;
  nv().NV_GetStatusSignalInfo(&signal, &quality);
  EXPECT_EQ(40, signal);
  EXPECT_EQ(55, quality);
  nv().NV_GetStatusChannelInfo(&plan, &channel);
  EXPECT_EQ(2, plan);
  char text[NV_DRIVER_INFO_BUFFER] = {};
  nv().NV_GetMacAddressString(text);
  EXPECT_STREQ("11:22:33:44:55:66", text);
  int32_t unused = 0;
  nv().NV_GetStatusDriverInfo(text, &unused);
  EXPECT_STREQ("Test Driver 9", text);
  EXPECT_EQ(22, sim_.State()->devNodeProblem);

  Tool("radio on + link 7");
  char ssid[NV_SSID_BUFFER] = {};
  uint8_t bssid[NV_BSSID_BUFFER] = {};
  nv().NV_GetStatusLinkInfo(&state, &type, ssid, bssid);
  EXPECT_EQ(7, state);
}

TEST_F(NvksimToolTest, AddedNetworkIsSurveyedAndJoined) {
  Tool("net clear + net add Lab2 adhoc ch=4 signal=50 wep bssid=02:00:00:00:00:01 rates=82,84 + "
       "join Lab2");
  std::vector<uint8_t> buffer(NV_SURVEY_BUFFER);
  ASSERT_EQ(1, nv().NV_SiteSurvey(buffer.data()));
  const uint8_t expected[NV_SURVEY_ENTRY_SIZE] = {
      0, 'L', 'a', 'b', '2', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 50, 4, 1, 0x82, 0x84, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(expected, buffer.data(), sizeof(expected)));

  int32_t state = -1, type = -1;
  char ssid[NV_SSID_BUFFER] = {};
  uint8_t bssid[NV_BSSID_BUFFER] = {};
  nv().NV_GetStatusLinkInfo(&state, &type, ssid, bssid);
  EXPECT_EQ(NV_LINK_AD_HOC, state);
  EXPECT_STREQ("Lab2", ssid);
  EXPECT_EQ(0x01, bssid[5]);

  Tool("net remove Lab2");
  EXPECT_EQ(0, nv().NV_SiteSurvey(buffer.data()));
  nv().NV_GetStatusLinkInfo(&state, &type, ssid, bssid);
  EXPECT_EQ(NV_LINK_SCANNING, state);
  EXPECT_NE(std::string::npos, Tool("show").find("(looking for \"Lab2\")"));
  Tool("net add Lab2 adhoc");
  nv().NV_GetStatusLinkInfo(&state, &type, ssid, bssid);
  EXPECT_EQ(NV_LINK_AD_HOC, state);
}

TEST_F(NvksimToolTest, PrintsTheLogOfCallsMadeHere) {
  sim_.ClearLog();
  nv().NV_SetChannel(9);
  nv().NV_SetWEPKey(2, 5, nullptr);
  const std::string log = Tool("log");
  const size_t channel = log.find("NV_SetChannel(9)");
  ASSERT_NE(std::string::npos, channel) << log;
  EXPECT_LT(channel, log.find("NV_SetWEPKey(2,5,null)")) << log;
  Tool("log clear");
  EXPECT_TRUE(sim_.ReadLog().empty());
  EXPECT_NE(std::string::npos, Tool("show").find("channel       6, plan 0"));
}

TEST_F(NvksimToolTest, RejectsWhatItDoesNotKnow) {
  for (const char* bad : {"bogus", "link x", "radio maybe", "net add", "bssid 1:2:3",
                          "delay assoc -5", "channel 6 + bogus", "power sleep", "adapter plug",
                          "net remove", "net remove nowhere"}) {
    const test::ToolResult result = test::RunTool(bad);
    EXPECT_EQ(2u, result.exitCode) << bad << "\n" << result.output;
    EXPECT_NE(std::string::npos, result.output.find("nvksim:")) << bad;
  }
  EXPECT_NE(std::string::npos, Tool("help").find("usage: nvksim"));
}

// The state lives only while some process holds it: "hold" is how a script prepares it
// before the utility starts. This test must hold nothing itself.
TEST(NvksimHold, KeepsPreparedStateForLaterProcesses) {
  EXPECT_EQ(0u, test::RunTool("channel 13").exitCode);
  {
    SimClient fresh;
    ASSERT_TRUE(fresh.Open());
    ASSERT_TRUE(fresh.Created()) << "another part of this program still holds the state";
    EXPECT_NE(13, fresh.State()->channel) << "nobody held it: gone with the tool";
  }
  test::ToolProcess hold("hold");
  ASSERT_TRUE(hold.WaitForOutput("holding", 20000)) << hold.Output();
  EXPECT_EQ(0u, test::RunTool("channel 13").exitCode);
  SimClient later;
  ASSERT_TRUE(later.Open());
  EXPECT_FALSE(later.Created());
  EXPECT_EQ(13, later.State()->channel);
  later.ResetToDefaults();
}

}  // namespace
}  // namespace tarnel::sim
