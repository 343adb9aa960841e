// The logon task's definition carries the program's path whole and escaped, whatever folder an
// administrator chose.
#include <gtest/gtest.h>

#include "setup/portable/LogonTaskXml.h"

namespace tarnel::setup {
namespace {

TEST(LogonTaskXml, CommandIsTheQuotedPathWithXmlSpecialCharactersEscaped) {
  const struct {
    const char* path;
    const char* command;
  } cases[] = {
      {"C:\\Program Files (x86)\\Norvik\\WLAN Utility\\Tarnel_UI.exe",
       "<Command>\"C:\\Program Files (x86)\\Norvik\\WLAN Utility\\Tarnel_UI.exe\"</Command>"},
      {"D:\\Tools & <Drivers>\\Bob's \"WLAN\"\\Tarnel_UI.exe",
       "<Command>\"D:\\Tools &amp; &lt;Drivers&gt;\\Bob&apos;s &quot;WLAN&quot;\\Tarnel_UI.exe\"</Command>"},
  };
  for (const auto& c : cases) EXPECT_NE(std::string::npos, LogonTaskXml(c.path).find(c.command)) << c.path;
}

}  // namespace
}  // namespace tarnel::setup
