// Typed access to the simulated adapter's shared state for tests and the control tool.
// Holding an open SimClient keeps the state alive: the section lives while any process has it open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SimLock.h"
#include "SimLog.h"
#include "SimSection.h"
#include "SimState.h"

namespace tarnel::sim {

class SimClient {
 public:
  SimClient() = default;
  SimClient(const SimClient&) = delete;
  SimClient& operator=(const SimClient&) = delete;

  // Opens the shared state, creating it with defaults when no process holds it.
  bool Open();
  bool IsOpen() const { return section_.State() != nullptr; }
  // True when this client created the state, i.e. no other process held it.
  bool Created() const { return section_.Created(); }
  // Direct access (unlocked); nullptr until opened.
  SimState* State() { return section_.State(); }

  // Any change under the state's lock: client.Update([](SimState& s) { s.channel = 3; }).
  template <class Change>
  void Update(Change change) {
    if (SimState* state = State()) {
      SimLock lock(*state);
      change(*state);
    }
  }
  // A consistent copy of the whole state.
  SimState Snapshot();

  // Every default back, log and counters emptied.
  void ResetToDefaults();

  // Answers and flags.
  void SetInitializeAnswer(bool usable);
  void SetUnplugged(bool unplugged);
  void SetXpConfig(bool xpConfig);
  // Off reads "Not Associated"; back on, the adapter looks for its network again.
  void SetRadioOff(bool off);

  // The link as reported. Any state number is reported as given (also outside 0..3);
  // setting it cancels an association under way.
  void SetLinkState(int32_t state);
  void SetLinkSsid(const std::string& ssid);
  void SetLinkBssid(const uint8_t bssid[6]);
  void SetLinkNetworkType(int32_t type);
  // Looks for the named network as after NV_SetSSID and NV_Rescan, without logging a call.
  void Join(const std::string& ssid);
  // Freezes signal and quality at these figures.
  void SetSignal(int32_t signal, int32_t quality);
  void UnfreezeSignal();
  void SetChannelPlan(int32_t plan);
  void SetChannel(int32_t channel);
  void SetMacText(const std::string& text);
  void SetDriverText(const std::string& text);
  void SetAssociationDelay(uint32_t ms);
  void SetScanDelay(uint32_t ms);

  // Networks in range. Taking out the link's network loses the link; the adapter joins again
  // once the network it looks for is back (see SimAdapter).
  bool AddNetwork(const SiteSurveyEntry& network);
  int32_t RemoveNetwork(const std::string& ssid);  // how many records went
  void ClearNetworks();
  int32_t NetworkCount();

  // Misbehaviour switches.
  void SetSsidUnterminated(bool on);
  void SetMacUnterminated(bool on);
  void SetDriverTextUnterminated(bool on);
  void SetSurveySsidsFull(bool on);
  void ForceSurveyCount(int32_t count);
  void UnforceSurveyCount();

  // CMSetup.dll steering: -1 asks the platform, other numbers answer success with that problem.
  void SetDevNodeProblem(int32_t problem);
  void SetDevNodeStatusFails(bool fails);
  uint32_t DevNodeCalls();

  // The call log and counters.
  std::vector<std::string> ReadLog();
  std::vector<SimLogLine> ReadLogLines();
  void ClearLog();
  void SetLogPolling(bool on);
  uint32_t CallCount(NvCall call);
  void ResetCounters();

 private:
  SimSection section_;
};

}  // namespace tarnel::sim
