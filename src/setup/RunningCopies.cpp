#include "setup/RunningCopies.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "framework/KernelHandle.h"

namespace tarnel::setup {

namespace {

struct Copies {
  std::vector<DWORD> ids;
  std::vector<KernelHandle> processes;
};

Copies FindCopies(const wchar_t* exeName) {
  Copies copies;
  const KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return copies;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
    if (::lstrcmpiW(entry.szExeFile, exeName) != 0) continue;
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
  wchar_t className[16] = {0};
  ::GetClassNameW(window, className, 16);
  // The main window is a dialog; windows the platform made for the process are left alone.
  if (std::find(ids->begin(), ids->end(), owner) != ids->end() && ::GetWindow(window, GW_OWNER) == nullptr &&
      ::lstrcmpW(className, L"#32770") == 0)
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

bool CloseRunningCopies(const wchar_t* exeName, DWORD timeoutMs) {
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
