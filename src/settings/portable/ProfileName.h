// Which texts can name a profile. A profile is a registry value named by it under
// "ProfileList" and a sub-key of that name under the driver key.
#pragma once

#include <string>

namespace tarnel {

// The longest key name the registry keeps: a longer name would be listed, but its settings
// could never be stored.
constexpr size_t kMaxProfileNameLength = 255;

// False for an empty name, a name longer than kMaxProfileNameLength, and a name holding a
// backslash, which would make its settings a key nested under another profile's key.
bool IsUsableProfileName(const std::string& name);

// The registry's own match of names: without regard to (ASCII) letter case.
bool SameProfileName(const std::string& a, const std::string& b);

}  // namespace tarnel
