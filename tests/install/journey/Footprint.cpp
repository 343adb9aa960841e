#include "Footprint.h"

#include <msi.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "framework/RegKey.h"
#include "setup/Autostart.h"
#include "setup/ComPtr.h"

namespace tarnel::test {

namespace {

bool IsWow64() {
  BOOL wow64 = FALSE;
  return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {0};
  return SUCCEEDED(::SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? std::string(path) + "\\" : std::string();
}

std::string StringValue(HKEY key, const char* name) {
  char value[1024] = {0};
  DWORD size = sizeof(value) - 1, type = 0;
  if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::string();
  return value;
}

// One directory search, closed at scope exit.
class FileSearch {
 public:
  explicit FileSearch(const std::string& pattern) : m_handle(::FindFirstFileA(pattern.c_str(), &m_found)) {}
  ~FileSearch() {
    if (m_handle != INVALID_HANDLE_VALUE) ::FindClose(m_handle);
  }
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;
  // The entry found first, then each next one; null at the end.
  const WIN32_FIND_DATAA* Next() {
    if (m_handle == INVALID_HANDLE_VALUE || (m_started && !::FindNextFileA(m_handle, &m_found))) return nullptr;
    m_started = true;
    return &m_found;
  }

 private:
  WIN32_FIND_DATAA m_found = {};
  HANDLE m_handle;
  bool m_started = false;
};

std::vector<std::string> FolderFiles(const std::string& folder) {
  std::vector<std::string> names;
  FileSearch search(folder + "*");
  while (const WIN32_FIND_DATAA* found = search.Next())
    if (!(found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found->cFileName);
  std::sort(names.begin(), names.end());
  return names;
}

void ReadEntries(REGSAM view, std::vector<ArpEntry>* entries) {
  const RegKey uninstall = RegKey::Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                                        KEY_READ | view);
  char name[256];
  for (DWORD i = 0; uninstall.IsOpen(); ++i) {
    DWORD size = sizeof(name);
    if (::RegEnumKeyExA(uninstall.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const RegKey product = RegKey::Open(uninstall.Get(), name, KEY_READ | view);
    if (StringValue(product.Get(), "DisplayName") != kProductName) continue;
    ArpEntry entry{name, StringValue(product.Get(), "Publisher"), StringValue(product.Get(), "DisplayVersion")};
    char icon[MAX_PATH] = {0};
    DWORD iconSize = MAX_PATH;
    entry.iconCached = ::MsiGetProductInfoA(name, INSTALLPROPERTY_PRODUCTICON, icon, &iconSize) == ERROR_SUCCESS &&
                       ::GetFileAttributesA(icon) != INVALID_FILE_ATTRIBUTES;
    entries->push_back(entry);
  }
}

// The stored definition as text: Windows keeps it in UTF-16, Wine in UTF-8.
std::string TaskText() {
  char windows[MAX_PATH] = {0};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string path = std::string(windows) + (IsWow64() ? "\\sysnative" : "\\system32") + "\\tasks\\" +
                           Narrow(setup::kAutostartName);
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) text += bytes[i];
    return text;
  }
  return bytes;
}

void ReadShortcut(const std::string& path, std::string* target, std::string* folder) {
  setup::ComPtr<IShellLinkA> link;
  setup::ComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())))
    return;
  const std::wstring wide(path.begin(), path.end());
  if (FAILED(file->Load(wide.c_str(), STGM_READ))) return;
  char text[MAX_PATH] = {0};
  if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) *target = text;
  text[0] = 0;
  if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) *folder = text;
}

std::string FileVersion(const std::string& path) {
  DWORD ignored = 0;
  std::vector<BYTE> data(::GetFileVersionInfoSizeA(path.c_str(), &ignored));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT size = 0;
  if (data.empty() || !::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
      !::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &size))
    return std::string();
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS));
}

}  // namespace

std::string InstallFolder() { return SpecialFolder(CSIDL_PROGRAM_FILES) + "Norvik\\WLAN Utility\\"; }

Footprint Footprint::Read() {
  Footprint f;
  f.files = FolderFiles(InstallFolder());
  f.makerFolder = ::GetFileAttributesA((SpecialFolder(CSIDL_PROGRAM_FILES) + "Norvik").c_str()) != INVALID_FILE_ATTRIBUTES;
  for (int menu : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
    const std::string path = SpecialFolder(menu) + kProductName + ".lnk";
    if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) f.shortcuts.push_back(path);
  }
  if (!f.shortcuts.empty()) ReadShortcut(f.shortcuts.front(), &f.shortcutTarget, &f.shortcutFolder);
  ReadEntries(KEY_WOW64_32KEY, &f.entries);
  if (IsWow64()) ReadEntries(KEY_WOW64_64KEY, &f.entries);
  const RegKey run = RegKey::Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", KEY_READ);
  if (run.IsOpen()) f.runValue = StringValue(run.Get(), kProductName);
  f.task = TaskText();
  f.exeVersion = FileVersion(InstallFolder() + "Tarnel_UI.exe");
  return f;
}

}  // namespace tarnel::test
