// A folder of decoy libraries (tests/fixtures/DecoyLib.cpp) under chosen names, for showing that
// a library dropped in the current folder or on PATH is never loaded. Each copy leaves
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

  // True when every copy was made.
  bool Ready() const { return m_ready; }
  // With a trailing backslash.
  const std::string& Path() const { return m_folder; }
  // Puts the folder first on this process's PATH (inherited by programs it starts).
  void PutOnPath();
  // The names whose mark is there.
  std::vector<std::string> Loaded() const;
  // Removes the marks (after a deliberate load).
  void ClearMarks() const;

 private:
  std::string m_folder;
  std::vector<std::string> m_names;
  std::string m_oldPath;
  bool m_onPath = false;
  bool m_ready = true;
};

}  // namespace tarnel::test
