#include "profiles/ProfileGlobals.h"

namespace tarnel {

std::string CurrentProfileName = "Default";
std::vector<std::string> ProfileNameList;
std::string AdapterDescription;

}  // namespace tarnel
