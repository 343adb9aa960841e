#include "framework/ShellVersion.h"

#include <windows.h>
#include <shlwapi.h>

namespace tarnel {

namespace {

constexpr unsigned kFirstBalloonShell = 5;
constexpr unsigned kShellWithoutVersion = 4;

unsigned g_forced = 0;

// shell32 is loaded already: the program imports its notification-area call.
unsigned ReadShellMajorVersion() {
  HMODULE shell = ::GetModuleHandleA("shell32.dll");
  const auto getVersion =
      shell ? reinterpret_cast<DLLGETVERSIONPROC>(::GetProcAddress(shell, "DllGetVersion")) : nullptr;
  DLLVERSIONINFO info = {};
  info.cbSize = sizeof(info);
  if (!getVersion || FAILED(getVersion(&info))) return kShellWithoutVersion;
  return info.dwMajorVersion;
}

}  // namespace

unsigned ShellMajorVersion() {
  if (g_forced) return g_forced;
  static const unsigned major = ReadShellMajorVersion();
  return major;
}

bool ShellShowsBalloons() { return ShellMajorVersion() >= kFirstBalloonShell; }

void ForceShellMajorVersion(unsigned major) { g_forced = major; }

}  // namespace tarnel
