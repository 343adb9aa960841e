#include "DecoyFolder.h"

#include <windows.h>

#include "AppProcess.h"

namespace tarnel::test {

DecoyFolder::DecoyFolder(const std::string& tag, std::initializer_list<const char*> names)
    : m_names(names.begin(), names.end()) {
  char temp[MAX_PATH] = {0};
  ::GetTempPathA(MAX_PATH, temp);
  m_folder = std::string(temp) + "tarnel-decoy-" + tag + "-" + std::to_string(::GetCurrentProcessId()) + "\\";
  ::CreateDirectoryA(m_folder.c_str(), nullptr);
  const std::string decoy = ProgramFolder() + "DecoyLib.dll";
  for (const std::string& name : m_names)
    m_ready = ::CopyFileA(decoy.c_str(), (m_folder + name).c_str(), FALSE) != 0 && m_ready;
}

DecoyFolder::~DecoyFolder() {
  if (m_onPath) ::SetEnvironmentVariableA("PATH", m_oldPath.c_str());
  for (const std::string& name : m_names) {
    ::DeleteFileA((m_folder + name).c_str());
    ::DeleteFileA((m_folder + name + ".loaded").c_str());
  }
  ::RemoveDirectoryA(m_folder.c_str());
}

void DecoyFolder::PutOnPath() {
  char path[32767] = {0};
  ::GetEnvironmentVariableA("PATH", path, sizeof(path));
  m_oldPath = path;
  m_onPath = true;
  ::SetEnvironmentVariableA("PATH", (m_folder + ";" + m_oldPath).c_str());
}

bool DecoyFolder::AnyLoaded() const {
  for (const std::string& name : m_names)
    if (::GetFileAttributesA((m_folder + name + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return false;
}

}  // namespace tarnel::test
