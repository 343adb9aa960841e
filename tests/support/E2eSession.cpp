#include "E2eSession.h"

#include "AdapterDevice.h"
#include "RegistryCleanup.h"
#include "framework/PlatformFamily.h"
#include "profiles/DriverKey.h"

namespace tarnel::test {

namespace {

// The 9x family names the network class Net where the NT family has its GUID.
std::string FamilyDriverKey(const std::string& driverKey) {
  const std::string guid = sim::kNetClassKey;
  if (!IsWin9xFamily() || driverKey.compare(0, guid.size(), guid) != 0) return driverKey;
  return "Net" + driverKey.substr(guid.size());
}

// Under the class root of the family the prefix reports, as the program looks for it.
std::string ClassPath(const std::string& driverKey) { return ClassRoot() + driverKey; }

}  // namespace

E2eSession::E2eSession(std::string driverKey)
    : m_driverKey(FamilyDriverKey(driverKey)),
      m_driverPath(ClassPath(m_driverKey)),
      m_app(std::make_unique<AppProcess>()),
      m_stored(m_driverPath) {}

E2eSession::~E2eSession() {
  m_app.reset();  // ends the program if it still runs
  RemoveAdapter();
}

void E2eSession::RemoveAdapter() {
  sim::RemoveAdapterDevices(sim::kAdapterDescription);
  DeleteKeyTree(HKEY_LOCAL_MACHINE, m_driverPath);
}

bool E2eSession::Prepare(uint32_t associationDelayMs) {
  if (!m_sim.Open()) return false;
  m_sim.ResetToDefaults();
  m_sim.SetAssociationDelay(associationDelayMs);
  m_sim.SetScanDelay(0);
  RemoveAdapter();  // whatever an earlier run left
  return sim::RegisterAdapterDevice(sim::kAdapterDescription, m_driverKey, sim::kAdapterHardwareId);
}

HWND E2eSession::Launch() {
  if (!m_app->Start()) return nullptr;
  m_main = m_app->WaitForMainWindow();
  return m_main;
}

std::unique_ptr<AppProcess> E2eSession::StartAnother() {
  auto another = std::make_unique<AppProcess>();
  if (!another->Start()) return nullptr;
  return another;
}

bool E2eSession::Close() {
  ::PostMessageA(m_main, WM_CLOSE, 0, 0);
  return m_app->WaitForExit();
}

}  // namespace tarnel::test
