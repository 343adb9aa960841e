// Helpers of the simulated adapter's tests: the two DLLs loaded from the test's own folder,
// the control tool run as another process, the export names of a loaded module.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "adapter/CmSetupApi.h"
#include "adapter/NvApi.h"

namespace tarnel::sim::test {

// The folder of this program, where every built program and DLL lands; ends with a backslash.
std::string BinDir();

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE h = nullptr) : h_(h) {}
  ~ScopedHandle();
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  HANDLE get() const { return h_; }
  void reset(HANDLE h = nullptr);

 private:
  HANDLE h_;
};

class ScopedModule {
 public:
  explicit ScopedModule(const std::string& fileName);  // loaded from BinDir()
  ~ScopedModule();
  ScopedModule(const ScopedModule&) = delete;
  ScopedModule& operator=(const ScopedModule&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

// NvkLib.dll with its table filled by exact export names; `missing` names what was not found.
struct NvkLib {
  NvkLib();
  ScopedModule module;
  NvFunctions nv{};
  std::string missing;
};

// The names in a loaded module's export directory, in the directory's (sorted) order.
std::vector<std::string> ExportNames(HMODULE module);

// nvksim.exe run to its end with the given arguments; answer: this thread's windows answer its notices.
struct ToolResult {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output;  // stdout and stderr together
};
ToolResult RunTool(const std::string& arguments, DWORD timeoutMs = 20000, bool answer = true);

// nvksim.exe left running (for "hold"); ended when destroyed.
class ToolProcess {
 public:
  explicit ToolProcess(const std::string& arguments);
  ~ToolProcess();
  ToolProcess(const ToolProcess&) = delete;
  ToolProcess& operator=(const ToolProcess&) = delete;
  // Reads output until it contains text; false on timeout or end of output.
  bool WaitForOutput(const std::string& text, DWORD timeoutMs);
  // Waits for the end of the process, running this thread's messages if answer; its exit code.
  DWORD Wait(DWORD timeoutMs, bool answer = true);
  const std::string& Output() const { return output_; }

 private:
  bool ReadAvailable();

  ScopedHandle process_;
  ScopedHandle output_read_;
  std::string output_;
};

}  // namespace tarnel::sim::test
