// A folder of decoy libraries (tests/fixtures/DecoyLib.cpp) under chosen names, for showing that
// a library dropped in the current folder or on PATH is never loaded: each copy leaves
// "<name>.loaded" beside itself when loaded. Removed, with PATH as it was, at scope exit.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace tarnel::test {

class DecoyFolder {
 public:
  DecoyFolder(const std::string& tag, std::initializer_list<const char*> names);
  ~DecoyFolder();
  DecoyFolder(const DecoyFolder&) = delete;
  DecoyFolder& operator=(const DecoyFolder&) = delete;

  bool Ready() const { return m_ready; }  // every copy made
  const std::string& Path() const { return m_folder; }  // with a trailing backslash
  // Puts the folder first on this process's PATH (inherited by programs it starts).
  void PutOnPath();
  bool AnyLoaded() const;

 private:
  std::string m_folder;
  std::vector<std::string> m_names;
  std::string m_oldPath;
  bool m_onPath = false;
  bool m_ready = true;
};

}  // namespace tarnel::test
