// Owner of one open registry key: closes it when it goes out of scope, on every path.
#pragma once

#include <windows.h>

namespace tarnel {

class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : key_(key) {}
  ~RegKey();

  RegKey(RegKey&& other) noexcept;
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  HKEY Get() const { return key_; }
  bool IsOpen() const { return key_ != nullptr; }

  // Plain open; an empty (not open) key when the open fails.
  static RegKey Open(HKEY parent, const char* path, REGSAM access);
  // Create-or-open of a sub-key with full access.
  static RegKey Create(HKEY parent, const char* name);

 private:
  void Close();

  HKEY key_ = nullptr;
};

}  // namespace tarnel
