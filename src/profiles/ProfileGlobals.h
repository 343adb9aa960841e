// The three process-wide values of the profile store, shared by the pages.
#pragma once

#include <string>
#include <vector>

namespace tarnel {

// The profile every page loads from and saves to. The store itself never touches it.
extern std::string CurrentProfileName;

// Names of the listed profiles in the registry's enumeration order; refilled by LoadProfileList.
extern std::vector<std::string> ProfileNameList;

// The adapter's device description; loaded from string resource 1 by the first store
// operation that finds it empty.
extern std::string AdapterDescription;

}  // namespace tarnel
