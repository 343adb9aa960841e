// One end-to-end session: the simulated adapter at its defaults with quick timing, the adapter
// registered as a present network device with an empty driver key (under the class root of the
// family the prefix reports, with its device node on the 9x family), and the real program over
// them. Everything it set up is taken down again when it goes, the program first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "AppProcess.h"
#include "E2eControls.h"
#include "E2eProfiles.h"
#include "SimClient.h"

namespace tarnel::test {

// Driver keys of the end-to-end programs, apart from those of the other suites.
constexpr char kJourneyDriverKey[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0932";
constexpr char kSoakDriverKey[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0933";

class E2eSession {
 public:
  explicit E2eSession(std::string driverKey = kJourneyDriverKey);
  ~E2eSession();
  E2eSession(const E2eSession&) = delete;
  E2eSession& operator=(const E2eSession&) = delete;

  // Resets the adapter (associated with its home network; associations take
  // associationDelayMs, surveys no time) and registers the device. False when any step failed.
  bool Prepare(uint32_t associationDelayMs = 50);
  // Starts the program and waits for its window; null when none came.
  HWND Launch();
  // Starts one more copy of the program, e.g. a second start.
  std::unique_ptr<AppProcess> StartAnother();

  HWND Main() const { return m_main; }
  // Looked up afresh on every call: the program rebuilds its pages.
  HWND Page(PageKind kind) const { return FindPage(m_main, kind); }
  sim::SimClient& Sim() { return m_sim; }
  AppProcess& App() { return *m_app; }
  const StoredProfiles& Stored() const { return m_stored; }
  const std::string& DriverPath() const { return m_driverPath; }

  // Closes the window as the caption's close button does and waits for the program to end.
  bool Close();

 private:
  void RemoveAdapter();

  std::string m_driverKey;
  std::string m_driverPath;
  sim::SimClient m_sim;
  std::unique_ptr<AppProcess> m_app;
  HWND m_main = nullptr;
  StoredProfiles m_stored;
};

}  // namespace tarnel::test
