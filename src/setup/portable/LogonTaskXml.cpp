#include "setup/portable/LogonTaskXml.h"

namespace tarnel::setup {

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string LogonTaskXml(const std::string& program) {
  // Any user's logon (no UserId in the trigger); run as that user through the Users group,
  // elevated where the user may be. On battery too (a notebook's card), never stopped by a time
  // limit, one copy at a time, at the normal priority of an interactive program.
  return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
         "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
         "  <RegistrationInfo>\n"
         "    <Author>Norvik</Author>\n"
         "    <Description>Starts the IEEE 802.11b WLAN Cardbus Utility at logon.</Description>\n"
         "  </RegistrationInfo>\n"
         "  <Triggers>\n"
         "    <LogonTrigger>\n"
         "      <Enabled>true</Enabled>\n"
         "    </LogonTrigger>\n"
         "  </Triggers>\n"
         "  <Principals>\n"
         "    <Principal id=\"Users\">\n"
         "      <GroupId>" + std::string(kUsersGroupSid) + "</GroupId>\n"
         "      <RunLevel>HighestAvailable</RunLevel>\n"
         "    </Principal>\n"
         "  </Principals>\n"
         "  <Settings>\n"
         "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\n"
         "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
         "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
         "    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\n"
         "    <Priority>4</Priority>\n"
         "  </Settings>\n"
         "  <Actions Context=\"Users\">\n"
         "    <Exec>\n"
         "      <Command>\"" + Escaped(program) + "\"</Command>\n"
         "    </Exec>\n"
         "  </Actions>\n"
         "</Task>\n";
}

}  // namespace tarnel::setup
