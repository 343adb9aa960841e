#include "SimTestSupport.h"

namespace tarnel::sim::test {

std::string BinDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path);
  return dir.substr(0, dir.find_last_of("\\/") + 1);
}

ScopedHandle::~ScopedHandle() { reset(); }

void ScopedHandle::reset(HANDLE h) {
  if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  h_ = h;
}

ScopedModule::ScopedModule(const std::string& fileName)
    : module_(LoadLibraryA((BinDir() + fileName).c_str())) {}

ScopedModule::~ScopedModule() {
  if (module_) FreeLibrary(module_);
}

NvkLib::NvkLib() : module("NvkLib.dll") {
#define SIM_TEST_RESOLVE(name)                                                       \
  nv.name = reinterpret_cast<name##_t>(                                             \
      module.get() ? reinterpret_cast<void*>(GetProcAddress(module.get(), #name)) : nullptr); \
  if (!nv.name) missing += #name " ";
  NV_FUNCTIONS(SIM_TEST_RESOLVE)
#undef SIM_TEST_RESOLVE
}

std::vector<std::string> ExportNames(HMODULE module) {
  std::vector<std::string> names;
  if (!module) return names;
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (!entry.VirtualAddress) return names;
  const auto* dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  const auto* nameRvas = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
  for (DWORD i = 0; i < dir->NumberOfNames; ++i) {
    names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
  }
  return names;
}

namespace {

// Starts nvksim.exe with stdout and stderr on one pipe; the read end goes to *readEnd.
HANDLE StartTool(const std::string& arguments, ScopedHandle* readEnd) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return nullptr;
  readEnd->reset(read);
  ScopedHandle writeEnd(write);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = write;
  startup.hStdError = write;
  std::string command = "\"" + BinDir() + "nvksim.exe\" " + arguments;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  return info.hProcess;
}

}  // namespace

ToolResult RunTool(const std::string& arguments, DWORD timeoutMs, bool answer) {
  ToolProcess tool(arguments);
  ToolResult result;
  result.exitCode = tool.Wait(timeoutMs, answer);
  result.output = tool.Output();
  return result;
}

ToolProcess::ToolProcess(const std::string& arguments) {
  process_.reset(StartTool(arguments, &output_read_));
}

ToolProcess::~ToolProcess() {
  if (process_.get() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool ToolProcess::ReadAvailable() {
  DWORD available = 0;
  if (!PeekNamedPipe(output_read_.get(), nullptr, 0, nullptr, &available, nullptr)) return false;
  while (available > 0) {
    char chunk[512];
    DWORD got = 0;
    if (!ReadFile(output_read_.get(), chunk, sizeof(chunk), &got, nullptr) || got == 0) return false;
    output_.append(chunk, got);
    available = available > got ? available - got : 0;
  }
  return true;
}

bool ToolProcess::WaitForOutput(const std::string& text, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (output_.find(text) == std::string::npos) {
    if (!ReadAvailable() || GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

DWORD ToolProcess::Wait(DWORD timeoutMs, bool answer) {
  if (!process_.get()) return 0xFFFFFFFF;
  const DWORD start = GetTickCount();
  // Drain the pipe while waiting, so a long output cannot block the tool.
  HANDLE process = process_.get();
  while (MsgWaitForMultipleObjects(1, &process, FALSE, 10, answer ? QS_ALLINPUT : 0) != WAIT_OBJECT_0) {
    MSG msg;
    while (answer && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    ReadAvailable();
    if (GetTickCount() - start > timeoutMs) return 0xFFFFFFFF;
  }
  ReadAvailable();  // what the tool wrote before it ended
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

}  // namespace tarnel::sim::test
