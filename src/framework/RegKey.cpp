#include "framework/RegKey.h"

#include <utility>

namespace tarnel {

RegKey::~RegKey() { Close(); }

RegKey::RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = std::exchange(other.key_, nullptr);
  }
  return *this;
}

RegKey RegKey::Open(HKEY parent, const char* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path, 0, access, &key) != ERROR_SUCCESS) return RegKey();
  return RegKey(key);
}

RegKey RegKey::Create(HKEY parent, const char* name) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return RegKey();
  }
  return RegKey(key);
}

void RegKey::Close() {
  if (key_ != nullptr) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

}  // namespace tarnel
