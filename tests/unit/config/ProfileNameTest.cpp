#include "settings/portable/ProfileName.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

TEST(IsUsableProfileName, RejectsEmptyNestedAndOverlongNames) {
  EXPECT_TRUE(IsUsableProfileName("Home"));
  EXPECT_TRUE(IsUsableProfileName("Default"));
  EXPECT_TRUE(IsUsableProfileName("a/b c.d"));
  EXPECT_TRUE(IsUsableProfileName(std::string(255, 'n')));

  EXPECT_FALSE(IsUsableProfileName(""));
  EXPECT_FALSE(IsUsableProfileName("Home\\Office"));
  EXPECT_FALSE(IsUsableProfileName("\\"));
  EXPECT_FALSE(IsUsableProfileName("Office\\"));
  EXPECT_FALSE(IsUsableProfileName(std::string(256, 'n')));
}

}  // namespace
}  // namespace tarnel
