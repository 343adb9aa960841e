// nvksim.exe run as another process changes what this process's NvkLib.dll reports, and
// reads what this process called.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
                          "delay assoc -5", "channel 6 + bogus"}) {
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
