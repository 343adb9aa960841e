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

// A file name in the temporary folder, unique to this process and tag; removed by the caller.
std::string TempFilePath(const std::string& tag);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tarnel::test
