// The one table through which the utility reaches the driver-control library.
#pragma once

#include "adapter/NvApi.h"

namespace tarnel {

// The table in use. Until a library is loaded every entry is a safe no-op and
// NV_Initialize answers 0.
const NvFunctions& Nv();

// Fills the table by export name from the library, found as LoadTrustedLibrary finds it (beside
// the program or in the system folder). A missing library or export leaves that entry a no-op
// and makes NV_Initialize answer 0. Returns true when all 23 were found.
bool LoadNvLibrary(const char* path = "NvkLib.dll");

// Test seam: use these functions instead of a library.
void InstallNvFunctions(const NvFunctions& functions);

// The table of safe no-ops (NV_Initialize answers 0; outputs keep what the caller preset).
const NvFunctions& SafeNvFunctions();

}  // namespace tarnel
