#include "adapter/portable/MacAddress.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

TEST(FormatMacAddress, TwoUpperCaseDigitsPerByteJoinedByColons) {
  const uint8_t mac[6] = {0x00, 0x0A, 0xFF, 0x10, 0x20, 0x3C};
  EXPECT_EQ("00:0A:FF:10:20:3C", FormatMacAddress(mac));

  const uint8_t broadcast[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ("FF:FF:FF:FF:FF:FF", FormatMacAddress(broadcast));
}

}  // namespace
}  // namespace tarnel
