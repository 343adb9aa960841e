#include "settings/portable/ProfileName.h"

namespace tarnel {

bool IsUsableProfileName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxProfileNameLength && name.find('\\') == std::string::npos;
}

}  // namespace tarnel
