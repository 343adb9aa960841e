#include "RegistryCleanup.h"

#include "framework/RegKey.h"

namespace tarnel::test {

namespace {

bool KeyExists(HKEY root, const std::string& path) {
  return RegKey::Open(root, path.c_str(), KEY_READ).IsOpen();
}

}  // namespace

void DeleteKeyTree(HKEY root, const std::string& path) {
  {
    RegKey key = RegKey::Open(root, path.c_str(), KEY_ALL_ACCESS);
    if (!key.IsOpen()) return;
    char child[256];
    while (RegEnumKeyA(key.Get(), 0, child, sizeof(child)) == ERROR_SUCCESS) {
      const std::string childPath = path + "\\" + child;
      DeleteKeyTree(root, childPath);
      if (KeyExists(root, childPath)) break;  // undeletable: do not spin
    }
  }
  RegDeleteKeyA(root, path.c_str());
}

std::vector<HANDLE> NextFreeHandles() {
  std::vector<RegKey> probes;
  std::vector<HANDLE> values;
  for (int i = 0; i < 64; ++i) {
    probes.push_back(RegKey::Open(HKEY_LOCAL_MACHINE, "SYSTEM", KEY_READ));
    values.push_back(probes.back().Get());
  }
  return values;
}

ScopedRegistryKey::ScopedRegistryKey(HKEY root, const std::string& path) : root_(root) {
  for (size_t end = 0; end != std::string::npos;) {
    end = path.find('\\', end + 1);
    const std::string prefix = path.substr(0, end);
    if (!KeyExists(root, prefix)) {
      createdTop_ = prefix;
      break;
    }
  }
  created_ = RegKey::Create(root, path.c_str()).IsOpen();
}

ScopedRegistryKey::~ScopedRegistryKey() {
  if (!createdTop_.empty()) DeleteKeyTree(root_, createdTop_);
}

}  // namespace tarnel::test
