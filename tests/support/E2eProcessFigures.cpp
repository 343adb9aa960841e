#define PSAPI_VERSION 2  // GetProcessMemoryInfo from kernel32
#include "E2eProcessFigures.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tarnel::test {

namespace {

// The whole of a small file (a /proc file reports no size), at most limit bytes.
std::string ReadSmallFile(const std::string& path, size_t limit = 65536) {
  std::string text;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return text;
  char chunk[4096];
  size_t n;
  while (text.size() < limit && (n = std::fread(chunk, 1, sizeof(chunk), file)) > 0) text.append(chunk, n);
  std::fclose(file);
  return text;
}

bool IsNumber(const char* text) {
  if (!*text) return false;
  for (; *text; ++text)
    if (*text < '0' || *text > '9') return false;
  return true;
}

// The Unix process whose command line names the program and whose environment names this
// run's prefix (other prefixes may run the same program at the same time).
long FindUnixPid(const char* programName) {
  const char* prefix = std::getenv("WINEPREFIX");
  const std::string wantedPrefix = prefix ? std::string("WINEPREFIX=") + prefix : std::string();
  long found = 0;
  WIN32_FIND_DATAA entry;
  HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!IsNumber(entry.cFileName)) continue;
    const std::string folder = std::string("Z:\\proc\\") + entry.cFileName + "\\";
    // The program itself, not a command that names it (a shell's timeout, the loader's start).
    const std::string command = ReadSmallFile(folder + "cmdline", 4096).c_str();
    if (command.find(programName) == std::string::npos) continue;
    const std::string environment = ReadSmallFile(folder + "environ");
    if (!wantedPrefix.empty() && environment.find(std::string(1, '\0') + wantedPrefix + '\0') == std::string::npos &&
        environment.compare(0, wantedPrefix.size() + 1, wantedPrefix + '\0') != 0)
      continue;
    found = std::strtol(entry.cFileName, nullptr, 10);
    break;
  } while (::FindNextFileA(search, &entry));
  ::FindClose(search);
  return found;
}

long StatusField(const std::string& status, const char* name) {
  const size_t at = status.find(name);
  return at == std::string::npos ? -1 : std::strtol(status.c_str() + at + std::strlen(name), nullptr, 10);
}

// The system handle table's layout (information class 16).
struct HandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ULONG access;
};
struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

long CountHandles(DWORD processId) {
  static const auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<BYTE> buffer(1 << 20);
  for (int attempt = 0; attempt < 6; ++attempt) {
    ULONG needed = 0;
    const LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) {
      const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
      long count = 0;
      for (ULONG i = 0; i < table->count; ++i)
        if (table->entries[i].ownerPid == processId) ++count;
      return count;
    }
    buffer.resize(buffer.size() * 2);
  }
  return -1;
}

}  // namespace

long CountThreadWindows(DWORD threadId) {
  struct Counter {
    static BOOL CALLBACK Child(HWND, LPARAM count) {
      ++*reinterpret_cast<long*>(count);
      return TRUE;
    }
    static BOOL CALLBACK TopLevel(HWND window, LPARAM count) {
      ++*reinterpret_cast<long*>(count);
      ::EnumChildWindows(window, &Child, count);
      return TRUE;
    }
  };
  long count = 0;
  ::EnumThreadWindows(threadId, &Counter::TopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

ProcessFigures::ProcessFigures(DWORD processId, HWND window, const char* program)
    : m_processId(processId),
      m_window(window),
      m_process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)),
      m_unixPid(FindUnixPid(program)) {}

ProcessFigures::~ProcessFigures() {
  if (m_process) ::CloseHandle(m_process);
}

ProcessSample ProcessFigures::Take() const {
  ProcessSample s;
  if (m_unixPid) {
    const std::string status = ReadSmallFile("Z:\\proc\\" + std::to_string(m_unixPid) + "\\status");
    s.rssKiB = StatusField(status, "VmRSS:");
    s.dataKiB = StatusField(status, "VmData:");
    s.sizeKiB = StatusField(status, "VmSize:");
  }
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  if (m_process && ::GetProcessMemoryInfo(m_process, &memory, sizeof(memory))) {
    s.workingSetKiB = static_cast<long>(memory.WorkingSetSize / 1024);
    s.pagefileKiB = static_cast<long>(memory.PagefileUsage / 1024);
  }
  s.handles = CountHandles(m_processId);
  s.windows = CountThreadWindows(::GetWindowThreadProcessId(m_window, nullptr));
  return s;
}

}  // namespace tarnel::test
