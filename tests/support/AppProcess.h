// The real utility as a separate process, for end-to-end tests: started from the test
// program's own folder (or another), found by its window caption, ended on scope exit. Also any
// other program the tests start and wait for (the installer).
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
  explicit AppProcess(const std::string& exePath = ProgramFolder() + "Tarnel_UI.exe", std::string arguments = "");
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  // The current folder it starts in (default: the program's own folder).
  void SetWorkFolder(const std::string& folder) { m_workFolder = folder; }
  bool Start();
  // Takes over a copy of the utility that something else started, once its window shows.
  bool Attach(DWORD timeoutMs = 10000);
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
  std::string m_workFolder;
  PROCESS_INFORMATION m_info = {};
};

// Runs a program to its end: its exit code, or STILL_ACTIVE when it was ended after timeoutMs.
DWORD RunToEnd(const std::string& exe, const std::string& arguments, DWORD timeoutMs = 120000);

}  // namespace tarnel::test
