#include "AppProcess.h"

#include <vector>

namespace tarnel::test {

std::string ProgramFolder() {
  char path[MAX_PATH] = {0};
  DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectMainWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  char caption[128] = {0};
  ::GetWindowTextA(hwnd, caption, sizeof(caption));
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (std::string(caption) == kMainCaption && (search->processId == 0 || owner == search->processId))
    search->found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> MainWindows(DWORD processId) {
  WindowSearch search{processId, {}};
  ::EnumWindows(&CollectMainWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

int CountMainWindows(DWORD processId) { return static_cast<int>(MainWindows(processId).size()); }

AppProcess::AppProcess(const std::string& exePath, std::string arguments)
    : m_exePath(exePath), m_arguments(std::move(arguments)) {}

AppProcess::~AppProcess() {
  Kill();
  if (m_info.hProcess) ::CloseHandle(m_info.hProcess);
  if (m_info.hThread) ::CloseHandle(m_info.hThread);
}

bool AppProcess::Start() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  std::string commandLine = "\"" + m_exePath + "\"";
  if (!m_arguments.empty()) commandLine += " " + m_arguments;
  std::string folder = m_workFolder.empty() ? m_exePath.substr(0, m_exePath.find_last_of("\\/") + 1) : m_workFolder;
  // A program name without a folder is found the platform's way (e.g. msiexec.exe).
  const char* application = m_exePath.find_first_of("\\/") == std::string::npos ? nullptr : m_exePath.c_str();
  return ::CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &m_info) != 0;
}

bool AppProcess::Attach(DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  do {
    for (HWND window : MainWindows(0)) {
      DWORD id = 0;
      ::GetWindowThreadProcessId(window, &id);
      if (!::IsWindowVisible(window)) continue;
      m_info.hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
      m_info.dwProcessId = id;
      return m_info.hProcess != nullptr;
    }
    ::Sleep(50);
  } while (::GetTickCount() - start < timeoutMs);
  return false;
}

HWND AppProcess::WaitForMainWindow(DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  do {
    for (HWND window : MainWindows(m_info.dwProcessId))
      if (::IsWindowVisible(window)) return window;
    if (!IsRunning()) return nullptr;
    ::Sleep(20);
  } while (::GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool AppProcess::WaitForExit(DWORD timeoutMs) {
  return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool AppProcess::IsRunning() const {
  return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD AppProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (m_info.hProcess) ::GetExitCodeProcess(m_info.hProcess, &code);
  return code;
}

void AppProcess::Kill() {
  if (IsRunning()) {
    ::TerminateProcess(m_info.hProcess, 99);
    ::WaitForSingleObject(m_info.hProcess, 5000);
  }
}

DWORD RunToEnd(const std::string& exe, const std::string& arguments, DWORD timeoutMs) {
  AppProcess program(exe, arguments);
  if (!program.Start()) return ::GetLastError();
  program.WaitForExit(timeoutMs);
  return program.ExitCode();
}

}  // namespace tarnel::test
