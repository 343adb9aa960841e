#include "setup/Autostart.h"

#include "framework/RegKey.h"
#include "setup/LogonTask.h"
#include "setup/portable/LogonTaskXml.h"

namespace tarnel::setup {

namespace {

// The task's XML and name are wide text; the program's path comes in the ANSI code page.
std::wstring Wide(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

std::string Utf8(const std::string& text) {
  const std::wstring wide = Wide(text, CP_ACP);
  if (wide.empty()) return std::string();
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr, nullptr);
  return out;
}

RegKey OpenRunKey(REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, access, &key) != ERROR_SUCCESS) return RegKey();
  return RegKey(key);
}

}  // namespace

bool UsesLogonTask() { return LOBYTE(LOWORD(::GetVersion())) >= 6; }

bool EnableAutostart(const std::string& program) {
  if (UsesLogonTask())
    return SUCCEEDED(RegisterLogonTask(Wide(kAutostartName, CP_ACP), Wide(LogonTaskXml(Utf8(program)), CP_UTF8)));
  const RegKey run = OpenRunKey(KEY_SET_VALUE);
  const std::string command = "\"" + program + "\"";
  return run.IsOpen() &&
         ::RegSetValueExA(run.Get(), kAutostartName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
}

bool DisableAutostart() {
  bool removed = true;
  if (UsesLogonTask()) removed = SUCCEEDED(DeleteLogonTask(Wide(kAutostartName, CP_ACP)));
  const RegKey run = OpenRunKey(KEY_SET_VALUE);
  if (run.IsOpen()) {
    const LONG result = ::RegDeleteValueA(run.Get(), kAutostartName);
    removed = removed && (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND);
  }
  return removed;
}

}  // namespace tarnel::setup
