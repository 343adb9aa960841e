#include "adapter/TrustedLibrary.h"

#include <cstring>
#include <string>

namespace tarnel {

namespace {

// Full paths only: the platform then searches nowhere else, on every version (the search-flag
// forms of LoadLibraryEx are missing on older systems). The altered search path makes the
// library's own imports be looked for beside it first.
HMODULE LoadFromPath(const std::string& path) {
  return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::string ProgramFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: a longer path
  }
  return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string SystemFolder() {
  char folder[MAX_PATH] = {0};
  const UINT n = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  return std::string(folder, n) + "\\";
}

}  // namespace

HMODULE LoadTrustedLibrary(const char* name) {
  if (std::strpbrk(name, "\\/:") != nullptr) return LoadFromPath(name);
  const std::string own = ProgramFolder();
  HMODULE library = own.empty() ? nullptr : LoadFromPath(own + name);
  if (library == nullptr) {
    const std::string system = SystemFolder();
    if (!system.empty()) library = LoadFromPath(system + name);
  }
  return library;
}

}  // namespace tarnel
