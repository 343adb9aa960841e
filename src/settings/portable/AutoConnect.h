// Connecting by itself to a known network: which profiles to try, in which order, and when.
// Platform-free: the choice is a pure function, the timing a small state machine stepped by the
// link page's readings and their clock, so both are tested without a driver or a wait.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarnel::settings {

// A profile with "Connect automatically" on, as stored.
struct KnownNetwork {
  std::string name;
  std::string ssid;
  int32_t netMode = 1;  // 0 ad hoc, 1 infrastructure; any other value matches no network
  int32_t priority = 0;
};

// One record of a site survey.
struct NetworkInRange {
  std::string ssid;
  bool infrastructure = true;
  int32_t signal = 0;  // percent
};

// The profiles whose network is in range (exact name, matching type), best first: highest
// priority, then the one current most recently (recent: names, latest first, any letter case),
// then the strongest signal, then the given order.
std::vector<std::string> ChooseProfiles(const std::vector<KnownNetwork>& profiles,
                                        const std::vector<std::string>& recent,
                                        const std::vector<NetworkInRange>& inRange);

// What a reading tells the timing.
struct LinkSituation {
  uint32_t atMs = 0;     // the reading's clock; compared by unsigned difference
  bool linked = false;   // associated or ad hoc
  bool mayAct = false;   // radio on, adapter present and initialised, not run by the system
};

class AutoConnect {
 public:
  static constexpr uint32_t kNoLinkMs = 5000;
  static constexpr uint32_t kTryMs = 10000;
  static constexpr uint32_t kFirstWaitMs = 10000;
  static constexpr uint32_t kLongestWaitMs = 120000;
  static constexpr uint32_t kUserHoldMs = 30000;
  // Only a link held this long starts the waits again from the shortest: a flapping one does not.
  static constexpr uint32_t kSteadyLinkMs = 60000;
  // The current profile's network in range: the adapter's own time to find it again.
  static constexpr uint32_t kAdapterMs = 30000;

  enum class Step { kNothing, kSurvey, kSwitch };

  // Steps the timing. held is asked only when a survey or a switch is due and the user's hold is
  // over: true while the pages hold changes not yet applied, which puts it off to a later reading.
  template <class Held>
  Step OnReading(const LinkSituation& situation, Held held) {
    const Step due = Due(situation);
    if (due == Step::kNothing || m_holding || held()) return Step::kNothing;
    return Begin(due, situation.atMs);
  }

  // The survey's candidates, best first, and the profile current now. kSwitch with Candidate()
  // to try, or kNothing: none in range, or the best is the current one and left to the adapter;
  // the next survey waits.
  Step OnSurvey(std::vector<std::string> candidates, const std::string& current);

  // The profile a kSwitch names.
  const std::string& Candidate() const { return m_candidate; }

  // The user applied, switched, added, removed or joined: nothing happens for 30 s from the
  // next reading on, and the candidates of the last survey are dropped.
  void OnUserAction();

  // No readings came for a while (a suspend, an unplug): the count of time without a link starts
  // again at the next reading; the wait stays.
  void Restart();

  // The wait before the next survey once the candidates are used up.
  uint32_t NextWaitMs() const { return m_waitMs; }

 private:
  enum class Phase { kIdle, kCounting, kTrying };

  Step Due(const LinkSituation& situation);
  void OnLink(uint32_t now);
  bool WaitOver(uint32_t now) const { return !m_waiting || Reached(now, m_waitFrom, m_waitSpan); }
  // Leaves the current profile to the adapter unless it has had its time: true when it is left.
  bool LeaveToAdapter(const std::vector<std::string>& candidates, const std::string& current);
  Step Begin(Step due, uint32_t now);
  Step NextCandidate();
  Step Wait();
  static bool Reached(uint32_t now, uint32_t since, uint32_t span) { return now - since >= span; }

  Phase m_phase = Phase::kIdle;
  uint32_t m_noLinkSince = 0;  // counting: the first reading without a link
  uint32_t m_triedAt = 0;      // trying: the switch
  uint32_t m_now = 0;
  // The next survey comes no sooner than m_waitSpan after m_waitFrom, across a flapping link.
  bool m_waiting = false;
  uint32_t m_waitFrom = 0;
  uint32_t m_waitSpan = 0;
  uint32_t m_waitMs = kFirstWaitMs;
  std::optional<uint32_t> m_linkSince;
  std::optional<uint32_t> m_leftSince;  // the current profile left to the adapter since
  bool m_userActed = false;
  bool m_holding = false;
  uint32_t m_holdSince = 0;
  std::vector<std::string> m_candidates;  // still to try, best first
  std::string m_candidate;
};

}  // namespace tarnel::settings
