#include "cli/AdapterSession.h"

#include <cstdio>

#include "adapter/AdapterDiscovery.h"
#include "adapter/NvLibrary.h"
#include "profiles/DriverKey.h"
#include "profiles/ProfileGlobals.h"

namespace tarnel::cli {
namespace {

// Discovery's one message: a console program reports it instead of waiting on a message box.
void ReportDiscoveryAlert(const char* text) { std::fprintf(stderr, "nvkctl: adapter discovery: %s\n", text); }

}  // namespace

AdapterSession::AdapterSession(Need need) {
  SetDiscoveryAlert(ReportDiscoveryAlert);
  const bool complete = LoadNvLibrary();
  if (Nv().NV_Initialize(0) == 0) {
    problem_ = complete ? "the driver-control library NvkLib.dll will not initialise"
                        : "the driver-control library NvkLib.dll is missing or incomplete";
    return;
  }
  if (need == Need::kAdapter) problem_ = FindOwnAdapter();
}

AdapterSession::~AdapterSession() { Nv().NV_Stop(); }

std::string AdapterSession::FindOwnAdapter() {
  const AdapterLocation adapter = LocateAdapter();  // also loads the description
  if (AdapterDescription.empty()) return "nvkctl.exe lacks the adapter's description (string resource 1)";
  const std::string wanted = "no working network device described as \"" + AdapterDescription + "\"";
  if (adapter.driverKeyPath.empty()) return wanted;
  return adapter.working ? std::string() : wanted + " (it reports a problem)";
}

}  // namespace tarnel::cli
