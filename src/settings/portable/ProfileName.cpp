#include "settings/portable/ProfileName.h"

namespace tarnel {

bool IsUsableProfileName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxProfileNameLength && name.find('\\') == std::string::npos;
}

bool SameProfileName(const std::string& a, const std::string& b) {
  const auto folded = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (folded(a[i]) != folded(b[i])) return false;
  return true;
}

}  // namespace tarnel
