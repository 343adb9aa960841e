// The logon task's definition: the program's path arrives whole and escaped, whatever folder an
// administrator chose, and the task runs for every user's logon with the highest rights.
#include <gtest/gtest.h>

#include <string>

#include "setup/portable/LogonTaskXml.h"

namespace tarnel::setup {
namespace {

std::string Element(const std::string& xml, const std::string& name) {
  const std::string open = "<" + name + ">", close = "</" + name + ">";
  const size_t start = xml.find(open), end = xml.find(close);
  if (start == std::string::npos || end == std::string::npos || xml.find(open, start + 1) != std::string::npos)
    return "<not once>";
  return xml.substr(start + open.size(), end - start - open.size());
}

TEST(LogonTaskXml, CommandIsTheQuotedEscapedPathAndTheTaskIsAnyUsersLogonElevated) {
  const struct {
    std::string path, command;
  } cases[] = {
      {"C:\\Program Files (x86)\\Norvik\\WLAN Utility\\Tarnel_UI.exe",
       "\"C:\\Program Files (x86)\\Norvik\\WLAN Utility\\Tarnel_UI.exe\""},
      {"D:\\Tools & <Drivers>\\Tarnel_UI.exe", "\"D:\\Tools &amp; &lt;Drivers&gt;\\Tarnel_UI.exe\""},
      {"C:\\Bob's \"WLAN\"\\Tarnel_UI.exe", "\"C:\\Bob&apos;s &quot;WLAN&quot;\\Tarnel_UI.exe\""},
      {"C:\\Z\xC3\xBCrich\\Tarnel_UI.exe", "\"C:\\Z\xC3\xBCrich\\Tarnel_UI.exe\""},  // UTF-8 passes through
  };
  for (const auto& c : cases) {
    const std::string xml = LogonTaskXml(c.path);
    EXPECT_EQ(c.command, Element(xml, "Command")) << c.path;
    EXPECT_TRUE(xml.find("<LogonTrigger>") != std::string::npos && xml.find("<UserId>") == std::string::npos)
        << "a logon trigger for any user";
    EXPECT_EQ(kUsersGroupSid, Element(xml, "GroupId"));
    EXPECT_EQ("HighestAvailable", Element(xml, "RunLevel"));
    EXPECT_EQ("PT0S", Element(xml, "ExecutionTimeLimit")) << "never stopped after the default three days";
    EXPECT_EQ("false", Element(xml, "DisallowStartIfOnBatteries")) << "a notebook's card on battery";
  }
}

}  // namespace
}  // namespace tarnel::setup
