// The two stand-in DLLs export exactly the contract's names, undecorated, as the utility
// finds them by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SimTestSupport.h"

namespace tarnel::sim {
namespace {

TEST(SimExports, NvkLibExportsExactlyTheContractNames) {
  test::ScopedModule lib("NvkLib.dll");
  ASSERT_TRUE(lib.get());
  std::vector<std::string> expected = {
#define SIM_TEST_NAME(name) #name,
      NV_FUNCTIONS(SIM_TEST_NAME)
#undef SIM_TEST_NAME
  };
  ASSERT_EQ(static_cast<size_t>(kNvFunctionCount), expected.size());
  std::sort(expected.begin(), expected.end());
  std::vector<std::string> names = test::ExportNames(lib.get());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(expected, names);  // no "_NV_Stop", no "NV_SetChannel@4", nothing else
}

TEST(SimExports, CmSetupExportsTheStatusCallUndecorated) {
  test::ScopedModule lib("CMSetup.dll");
  ASSERT_TRUE(lib.get());
  EXPECT_EQ(std::vector<std::string>{"My_CM_Get_DevNode_Status"}, test::ExportNames(lib.get()));
}

}  // namespace
}  // namespace tarnel::sim
