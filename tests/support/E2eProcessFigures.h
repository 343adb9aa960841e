// Memory and handle figures of another process as they can be had under Wine, where the
// platform's own per-process counters answer little across processes:
// - the Unix process behind it, from /proc/<pid>/status (resident set, data segment, size),
//   found by its command line and this run's WINEPREFIX;
// - GetProcessMemoryInfo's working set and pagefile figures (Wine's server reads the same
//   /proc file; private bytes stay 0 there);
// - its kernel handles, counted in the system handle table (NtQuerySystemInformation), since
//   GetProcessHandleCount of another process answers 0 under Wine;
// - its windows: the top-level windows of its thread and all their descendants.
// Drawing objects are not countable from outside under Wine (GetGuiResources is a stub).
#pragma once

#include <windows.h>

#include <string>

namespace tarnel::test {

struct ProcessSample {
  long rssKiB = -1;    // VmRSS
  long dataKiB = -1;   // VmData: heap and private mappings
  long sizeKiB = -1;   // VmSize
  long workingSetKiB = -1;
  long pagefileKiB = -1;
  long handles = -1;
  long windows = -1;
};

// The top-level windows of a thread and all their descendants.
long CountThreadWindows(DWORD threadId);

class ProcessFigures {
 public:
  // window: any window of the process's user-interface thread; program: its file name, by
  // which its Unix process is found.
  ProcessFigures(DWORD processId, HWND window, const char* program = "Tarnel_UI.exe");
  ~ProcessFigures();
  ProcessFigures(const ProcessFigures&) = delete;
  ProcessFigures& operator=(const ProcessFigures&) = delete;

  ProcessSample Take() const;
  // The Unix process id, 0 when it was not found.
  long UnixPid() const { return m_unixPid; }

 private:
  DWORD m_processId;
  HWND m_window;
  HANDLE m_process;
  long m_unixPid = 0;
};

}  // namespace tarnel::test
