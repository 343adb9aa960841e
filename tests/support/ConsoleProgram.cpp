#include "ConsoleProgram.h"

#include <fstream>
#include <iterator>
#include <memory>

#include "AppProcess.h"

namespace tarnel::test {
namespace {

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// An inheritable file the program writes one of its streams to; files, unlike pipes, cannot
// block a program that writes more than a pipe holds.
Handle OutputFile(const std::string& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  return Handle(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::string TempFilePath(const std::string& tag) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "tarnel-" + std::to_string(::GetCurrentProcessId()) + "-" + tag;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

ConsoleRun RunConsoleProgram(const std::string& exeName, const std::vector<std::string>& args, DWORD timeoutMs) {
  ConsoleRun run;
  // Names of their own for each run: a file of the run before may still be on its way out.
  static int runs = 0;
  const std::string tag = std::to_string(++runs);
  const std::string outPath = TempFilePath("stdout" + tag), errPath = TempFilePath("stderr" + tag);
  {
    Handle out = OutputFile(outPath), err = OutputFile(errPath);
    if (out.get() == INVALID_HANDLE_VALUE || err.get() == INVALID_HANDLE_VALUE) return run;
    std::string command = "\"" + ProgramFolder() + exeName + "\"";
    for (const std::string& arg : args) command += " \"" + arg + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          ProgramFolder().c_str(), &startup, &info))
      return run;
    Handle process(info.hProcess), thread(info.hThread);
    if (::WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0) {
      ::GetExitCodeProcess(info.hProcess, &run.exitCode);
    } else {
      ::TerminateProcess(info.hProcess, 99);
      ::WaitForSingleObject(info.hProcess, 5000);
    }
  }
  run.out = ReadFileBytes(outPath);
  run.err = ReadFileBytes(errPath);
  ::DeleteFileA(outPath.c_str());
  ::DeleteFileA(errPath.c_str());
  return run;
}

RunningConsoleProgram::RunningConsoleProgram(const std::string& exeName, const std::vector<std::string>& args)
    : outPath_(TempFilePath("running-stdout")) {
  // Shared for reading: the test reads what the program has written while it runs.
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  Handle out(::CreateFileA(outPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (out.get() == INVALID_HANDLE_VALUE) return;
  std::string command = "\"" + ProgramFolder() + exeName + "\"";
  for (const std::string& arg : args) command += " \"" + arg + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out.get();
  startup.hStdError = out.get();
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP | CREATE_NO_WINDOW, nullptr,
                        ProgramFolder().c_str(), &startup, &info))
    return;
  ::CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
}

RunningConsoleProgram::~RunningConsoleProgram() {
  if (process_) {
    if (::WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) ::TerminateProcess(process_, 99);
    ::WaitForSingleObject(process_, 5000);
    ::CloseHandle(process_);
  }
  ::DeleteFileA(outPath_.c_str());
}

std::string RunningConsoleProgram::Out() const { return ReadFileBytes(outPath_); }

namespace {
BOOL WINAPI IgnoreBreak(DWORD) { return TRUE; }
}  // namespace

// Ctrl+Break typed into the program's own console, as a user pressing the keys there; this
// process lets the event pass while it is attached.
bool RunningConsoleProgram::Interrupt() const {
  if (!process_) return false;
  ::FreeConsole();
  if (!::AttachConsole(id_)) return false;
  ::SetConsoleCtrlHandler(IgnoreBreak, TRUE);
  // Wine's console raises the event only for keys in its input (GenerateConsoleCtrlEvent fails).
  HANDLE input = ::CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  INPUT_RECORD keys[2] = {};
  for (int i = 0; i < 2; ++i) {
    keys[i].EventType = KEY_EVENT;
    KEY_EVENT_RECORD& key = keys[i].Event.KeyEvent;
    key.bKeyDown = i == 0;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = 'C';
    key.wVirtualScanCode = static_cast<WORD>(::MapVirtualKeyA('C', 0));
    key.uChar.AsciiChar = 3;
    key.dwControlKeyState = LEFT_CTRL_PRESSED;
  }
  DWORD written = 0;
  const bool sent = input != INVALID_HANDLE_VALUE && ::WriteConsoleInputA(input, keys, 2, &written) && written == 2;
  if (input != INVALID_HANDLE_VALUE) ::CloseHandle(input);
  ::Sleep(300);  // delivered on a thread of each attached process
  ::FreeConsole();
  ::SetConsoleCtrlHandler(IgnoreBreak, FALSE);
  return sent;
}

DWORD RunningConsoleProgram::WaitForExit(DWORD timeoutMs) const {
  DWORD code = 0xFFFFFFFF;
  if (process_ && ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(process_, &code);
  return code;
}

}  // namespace tarnel::test
