// version: the two texts of the version panel, under the panel's own labels.
#include "cli/AdapterSession.h"
#include "cli/Commands.h"
#include "cli/portable/TextTable.h"
#include "framework/StringResource.h"
#include "resource.h"
#include "settings/AdapterState.h"

namespace tarnel::cli {

ExitCode RunVersion(std::ostream& out, std::ostream& err) {
  TextTable table;
  table.AddRow({"Utility Version", ReadStringResource(::GetModuleHandleA(nullptr), IDS_UTILITY_VERSION)});
  AdapterSession session(AdapterSession::Need::kLibraryOnly);
  if (session.Status() == kExitDone) table.AddRow({"Driver Version", settings::DriverVersionText()});
  out << table.Text();
  if (session.Status() == kExitDone) return kExitDone;
  err << "nvkctl: " << session.Problem() << "\n";
  return session.Status();
}

}  // namespace tarnel::cli
