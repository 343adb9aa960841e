// A console program of the build run to its end from another process, as a script would run it:
// its standard output and error kept apart, its exit code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarnel::test {

struct ConsoleRun {
  DWORD exitCode = 0xFFFFFFFF;  // also when it could not be started or did not end in time
  std::string out;
  std::string err;
};

// Runs the program of the test program's folder with the arguments, each quoted as a whole.
ConsoleRun RunConsoleProgram(const std::string& exeName, const std::vector<std::string>& args,
                             DWORD timeoutMs = 30000);

// A console program left running in a process group and console of its own, its standard output going to a
// file as it writes it; ended by a console control event, or terminated when the object goes.
class RunningConsoleProgram {
 public:
  RunningConsoleProgram(const std::string& exeName, const std::vector<std::string>& args);
  ~RunningConsoleProgram();
  RunningConsoleProgram(const RunningConsoleProgram&) = delete;
  RunningConsoleProgram& operator=(const RunningConsoleProgram&) = delete;

  bool Started() const { return process_ != nullptr; }
  // What it has written so far.
  std::string Out() const;
  // Ctrl+C typed into its console, as a user would; true when the keys went in.
  bool Interrupt() const;
  // Its exit code, or 0xFFFFFFFF when it did not end in time.
  DWORD WaitForExit(DWORD timeoutMs) const;

 private:
  std::string outPath_;
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// A file name in the temporary folder, unique to this process and tag; removed by the caller.
std::string TempFilePath(const std::string& tag);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tarnel::test
