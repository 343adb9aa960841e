// The real utility (or another built program, with arguments) as a separate process, for
// end-to-end tests: started from the test program's own folder (or another), found by its window
// caption, ended on scope exit.
#pragma once

#include <windows.h>

#include <string>

namespace tarnel::test {

constexpr const char* kMainCaption = "IEEE 802.11b WLAN Cardbus Utility";

// Folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

// Top-level windows with the main caption that belong to a process (0: any process).
int CountMainWindows(DWORD processId = 0);

class AppProcess {
 public:
  explicit AppProcess(const std::string& exePath = ProgramFolder() + "Tarnel_UI.exe",
                      const std::string& arguments = "");
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  bool Start();
  // The main window once it is shown, or null after the timeout.
  HWND WaitForMainWindow(DWORD timeoutMs = 10000);
  // True when the process has ended within the timeout.
  bool WaitForExit(DWORD timeoutMs = 10000);
  bool IsRunning() const;
  DWORD ExitCode() const;
  DWORD Id() const { return m_info.dwProcessId; }
  // Ends the process if it still runs.
  void Kill();

 private:
  std::string m_exePath;
  std::string m_arguments;
  PROCESS_INFORMATION m_info = {};
};

}  // namespace tarnel::test
