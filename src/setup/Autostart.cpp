#include "setup/Autostart.h"

#include "framework/RegKey.h"
#include "setup/LogonTask.h"
#include "setup/portable/LogonTaskXml.h"

namespace tarnel::setup {

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

RegKey OpenRunKey(REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, access, &key) != ERROR_SUCCESS) return RegKey();
  return RegKey(key);
}

}  // namespace

bool UsesLogonTask() { return LOBYTE(LOWORD(::GetVersion())) >= 6; }

bool EnableAutostart(const std::wstring& program) {
  if (UsesLogonTask()) return SUCCEEDED(RegisterLogonTask(kAutostartName, Wide(LogonTaskXml(Utf8(program)))));
  const RegKey run = OpenRunKey(KEY_SET_VALUE);
  const std::wstring command = L"\"" + program + L"\"";
  return run.IsOpen() &&
         ::RegSetValueExW(run.Get(), kAutostartName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool DisableAutostart() {
  bool removed = true;
  if (UsesLogonTask()) removed = SUCCEEDED(DeleteLogonTask(kAutostartName));
  const RegKey run = OpenRunKey(KEY_SET_VALUE);
  if (run.IsOpen()) {
    const LONG result = ::RegDeleteValueW(run.Get(), kAutostartName);
    removed = removed && (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND);
  }
  return removed;
}

}  // namespace tarnel::setup
