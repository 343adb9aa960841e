// CMSetup.dll: the platform's device-node status with the success sense inverted, or the
// answer a test steers through the shared state.
#include <gtest/gtest.h>

#include <windows.h>
#include <cfgmgr32.h>
#include <setupapi.h>

#include "SimClient.h"
#include "SimTestSupport.h"

namespace tarnel::sim {
namespace {

constexpr uint32_t kUntouched = 0xA5A5A5A5;

class CmSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim_.Open());
    sim_.ResetToDefaults();
    ASSERT_TRUE(lib_.get());
    status_ = reinterpret_cast<My_CM_Get_DevNode_Status_t>(
        reinterpret_cast<void*>(GetProcAddress(lib_.get(), "My_CM_Get_DevNode_Status")));
    ASSERT_TRUE(status_);
  }
  void TearDown() override { sim_.ResetToDefaults(); }

  // Some present device: Wine has no root node to locate, but enumerates its devices.
  static DEVINST SomeDevice() {
    HDEVINFO set = SetupDiGetClassDevsA(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    if (set != INVALID_HANDLE_VALUE) {
      SetupDiEnumDeviceInfo(set, 0, &device);
      SetupDiDestroyDeviceInfoList(set);
    }
    return device.DevInst;
  }

  SimClient sim_;
  test::ScopedModule lib_{"CMSetup.dll"};
  My_CM_Get_DevNode_Status_t status_ = nullptr;
};

TEST_F(CmSetupTest, ForwardsThePlatformAnswerWithSuccessInverted) {
  for (DEVINST node : {SomeDevice(), static_cast<DEVINST>(0x7FFFFFF0)}) {
    ULONG platformStatus = 0;
    ULONG platformProblem = 0;
    const CONFIGRET cr = CM_Get_DevNode_Status(&platformStatus, &platformProblem, node, 0);
    uint32_t status = kUntouched;
    uint32_t problem = kUntouched;
    const int32_t ok = status_(&status, &problem, node, 0);
    EXPECT_EQ(cr == CR_SUCCESS, ok != 0) << "node " << node << " platform answered " << cr;
    if (cr == CR_SUCCESS) {
      EXPECT_EQ(platformStatus, status);
      EXPECT_EQ(platformProblem, problem);
    }
  }
}

TEST_F(CmSetupTest, SteeredProblemIsAnsweredAsSuccess) {
  const DEVINST device = SomeDevice();
  for (int32_t steered : {0, 28, 10}) {
    sim_.SetDevNodeProblem(steered);
    uint32_t status = kUntouched;
    uint32_t problem = kUntouched;
    EXPECT_NE(0, status_(&status, &problem, device, 0)) << steered;
    EXPECT_EQ(static_cast<uint32_t>(steered), problem);
    EXPECT_EQ(steered != 0, (status & DN_HAS_PROBLEM) != 0) << "status " << status;
  }
}

TEST_F(CmSetupTest, SteeredFailureWinsAndLeavesOutputsAlone) {
  const DEVINST device = SomeDevice();
  const uint32_t callsBefore = sim_.DevNodeCalls();
  sim_.SetDevNodeProblem(0);
  sim_.SetDevNodeStatusFails(true);
  uint32_t status = kUntouched;
  uint32_t problem = kUntouched;
  EXPECT_EQ(0, status_(&status, &problem, device, 0));
  EXPECT_EQ(kUntouched, status);
  EXPECT_EQ(kUntouched, problem);
  EXPECT_EQ(callsBefore + 1, sim_.DevNodeCalls());

  sim_.SetDevNodeStatusFails(false);
  EXPECT_NE(0, status_(&status, &problem, device, 0));
  EXPECT_EQ(0u, problem);
}

}  // namespace
}  // namespace tarnel::sim
