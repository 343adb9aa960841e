#include "setup/ComApartment.h"

#include <objbase.h>

namespace tarnel::setup {

ComApartment::ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
  // The Task Scheduler's service must be allowed to act as this process's caller.
  if (Entered())
    ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                           RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, 0, nullptr);
}

ComApartment::~ComApartment() {
  if (Entered()) ::CoUninitialize();
}

}  // namespace tarnel::setup
