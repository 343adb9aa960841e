// Registry helpers of the Windows test programs: keys made for a test and removed after it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarnel::test {

// Deletes the key at path under root with everything below it. Missing keys are fine.
void DeleteKeyTree(HKEY root, const std::string& path);

// The handle values the next 64 opens would get. Handles are given out from the lowest free
// slots, so the same values before and after an operation mean it left no handle open.
std::vector<HANDLE> NextFreeHandles();

// Creates the key at path (and any missing parents) for the length of a test, then deletes
// what it created: the topmost key that did not exist before, with its whole tree.
class ScopedRegistryKey {
 public:
  ScopedRegistryKey(HKEY root, const std::string& path);
  ~ScopedRegistryKey();

  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;

  bool Created() const { return created_; }

 private:
  HKEY root_;
  std::string createdTop_;  // empty when the key existed already
  bool created_ = false;
};

}  // namespace tarnel::test
