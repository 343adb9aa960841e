#include "setup/RunningCopies.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/KernelHandle.h"

namespace tarnel::setup {

namespace {

struct Copies {
  std::vector<DWORD> ids;
  std::vector<KernelHandle> processes;
};

// The 9x family names each process by its whole path, the NT family by its file name alone.
const char* FileName(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

Copies FindCopies(const char* exeName) {
  Copies copies;
  const KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return copies;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
    if (::lstrcmpiA(FileName(entry.szExeFile), exeName) != 0) continue;
    KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    copies.ids.push_back(entry.th32ProcessID);
    copies.processes.push_back(std::move(process));
  }
  return copies;
}

BOOL CALLBACK AskToClose(HWND window, LPARAM param) {
  const auto* ids = reinterpret_cast<const std::vector<DWORD>*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  char className[16] = {0};
  ::GetClassNameA(window, className, 16);
  // The main window is a dialog; windows the platform made for the process are left alone.
  if (std::find(ids->begin(), ids->end(), owner) != ids->end() && ::GetWindow(window, GW_OWNER) == nullptr &&
      ::lstrcmpA(className, "#32770") == 0)
    ::PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

bool CloseRunningCopies(const char* exeName, DWORD timeoutMs) {
  const Copies copies = FindCopies(exeName);
  if (copies.processes.empty()) return true;
  ::EnumWindows(&AskToClose, reinterpret_cast<LPARAM>(&copies.ids));
  const DWORD start = ::GetTickCount();
  for (const KernelHandle& process : copies.processes) {
    const DWORD spent = ::GetTickCount() - start;
    if (::WaitForSingleObject(process.Get(), spent < timeoutMs ? timeoutMs - spent : 0) != WAIT_OBJECT_0) return false;
  }
  return true;
}

}  // namespace tarnel::setup
