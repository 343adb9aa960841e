#include "cli/Commands.h"

#include "cli/portable/ValueText.h"
#include "profiles/DriverKey.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"

namespace tarnel::cli {

ExitCode CommandContext::Fail(ExitCode code, const std::string& problem) const {
  err << "nvkctl: " << problem << "\n";
  return code;
}

void BeginWriting() { SetStoreAccess(StoreAccess::kFull); }

std::string ListedProfile(const std::string& name) {
  LoadProfileList();
  for (const std::string& listed : ProfileNameList)
    if (SameTextIgnoringCase(listed, name)) return listed;
  return std::string();
}

}  // namespace tarnel::cli
