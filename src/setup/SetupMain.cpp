// The installer's helper, run by the package's custom actions from the install folder:
//   Tarnel_Setup.exe autostart on    start the utility beside it at each logon
//   Tarnel_Setup.exe autostart off   no longer
//   Tarnel_Setup.exe close           end a running utility gently, waiting a bounded time
// Exit code 0 on success, 1 on failure, 2 for an unknown command.
#include <windows.h>

#include <cstring>
#include <string>

#include "setup/Autostart.h"
#include "setup/RunningCopies.h"

namespace {

constexpr char kUtilityFile[] = "Tarnel_UI.exe";
// Under Wine the utility takes a few seconds to end; a real system far less.
constexpr DWORD kCloseWaitMs = 30000;

std::string OwnFolder() {
  char path[MAX_PATH] = {0};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string Trimmed(const char* text) {
  std::string s(text ? text : "");
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  using namespace tarnel::setup;
  const std::string command = Trimmed(commandLine);
  if (command == "autostart on") return EnableAutostart(OwnFolder() + kUtilityFile) ? 0 : 1;
  if (command == "autostart off") return DisableAutostart() ? 0 : 1;
  if (command == "close") return CloseRunningCopies(kUtilityFile, kCloseWaitMs) ? 0 : 1;
  return 2;
}
