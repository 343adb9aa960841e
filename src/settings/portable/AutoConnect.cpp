#include "settings/portable/AutoConnect.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "settings/portable/ProfileName.h"

namespace tarnel::settings {
namespace {

// Matches the profile's network in range: the strongest signal among them, -1 when none is.
int32_t SignalInRange(const KnownNetwork& profile, const std::vector<NetworkInRange>& inRange) {
  int32_t best = -1;
  if (profile.ssid.empty() || (profile.netMode != 0 && profile.netMode != 1)) return best;
  const bool infrastructure = profile.netMode == 1;
  for (const NetworkInRange& network : inRange)
    if (network.ssid == profile.ssid && network.infrastructure == infrastructure) best = std::max(best, network.signal);
  return best;
}

size_t RecencyRank(const std::string& name, const std::vector<std::string>& recent) {
  for (size_t i = 0; i < recent.size(); ++i)
    if (SameProfileName(recent[i], name)) return i;
  return recent.size();  // never current: after every one that was
}

}  // namespace

std::vector<std::string> ChooseProfiles(const std::vector<KnownNetwork>& profiles,
                                        const std::vector<std::string>& recent,
                                        const std::vector<NetworkInRange>& inRange) {
  struct Candidate {
    const KnownNetwork* profile;
    size_t recency;
    int32_t signal;
  };
  std::vector<Candidate> found;
  for (const KnownNetwork& profile : profiles) {
    const int32_t signal = SignalInRange(profile, inRange);
    if (signal >= 0) found.push_back({&profile, RecencyRank(profile.name, recent), signal});
  }
  std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
    if (a.profile->priority != b.profile->priority) return a.profile->priority > b.profile->priority;
    if (a.recency != b.recency) return a.recency < b.recency;
    return a.signal > b.signal;
  });
  std::vector<std::string> names;
  for (const Candidate& c : found) names.push_back(c.profile->name);
  return names;
}

AutoConnect::Step AutoConnect::Due(const LinkSituation& situation) {
  const uint32_t now = m_now = situation.atMs;
  if (m_userActed) {
    m_userActed = false;
    m_holding = true;
    m_holdSince = now;
  }
  if (m_holding && Reached(now, m_holdSince, kUserHoldMs)) m_holding = false;
  if (situation.linked) {
    OnLink(now);
    return Step::kNothing;
  }
  m_linkSince.reset();
  if (!situation.mayAct) {
    // Losing the means to act only starts the count again.
    m_phase = Phase::kIdle;
    m_candidates.clear();
    return Step::kNothing;
  }
  switch (m_phase) {
    case Phase::kIdle:
      m_phase = Phase::kCounting;
      m_noLinkSince = now;
      return Step::kNothing;
    case Phase::kCounting:
      return Reached(now, m_noLinkSince, kNoLinkMs) && WaitOver(now) ? Step::kSurvey : Step::kNothing;
    case Phase::kTrying:
      if (!Reached(now, m_triedAt, kTryMs)) return Step::kNothing;
      if (!m_candidates.empty()) return Step::kSwitch;
      Wait();  // the last candidate gave no link either
      return Step::kNothing;
  }
  return Step::kNothing;
}

void AutoConnect::OnLink(uint32_t now) {
  if (!m_linkSince) m_linkSince = now;
  if (Reached(now, *m_linkSince, kSteadyLinkMs)) {
    m_waiting = false;
    m_waitMs = kFirstWaitMs;
  }
  m_leftSince.reset();  // the adapter found a network
  m_phase = Phase::kIdle;
  m_candidates.clear();
}

AutoConnect::Step AutoConnect::Begin(Step due, uint32_t now) {
  m_now = now;
  return due == Step::kSwitch ? NextCandidate() : due;
}

AutoConnect::Step AutoConnect::OnSurvey(std::vector<std::string> candidates, const std::string& current) {
  m_candidates = std::move(candidates);
  if (LeaveToAdapter(m_candidates, current)) m_candidates.clear();
  return m_candidates.empty() ? Wait() : NextCandidate();
}

bool AutoConnect::LeaveToAdapter(const std::vector<std::string>& candidates, const std::string& current) {
  if (candidates.empty() || !SameProfileName(candidates.front(), current)) {
    m_leftSince.reset();
    return false;
  }
  // Its network is in range and the adapter keeps looking for it: applying it again would only
  // start the association over. After kAdapterMs without a link it is applied once more.
  if (!m_leftSince) m_leftSince = m_now;
  if (!Reached(m_now, *m_leftSince, kAdapterMs)) return true;
  m_leftSince.reset();
  return false;
}

AutoConnect::Step AutoConnect::Wait() {
  m_phase = Phase::kCounting;
  m_waiting = true;
  m_waitFrom = m_now;
  m_waitSpan = m_waitMs;
  m_waitMs = std::min(2 * m_waitMs, kLongestWaitMs);
  return Step::kNothing;
}

AutoConnect::Step AutoConnect::NextCandidate() {
  m_candidate = m_candidates.front();
  m_candidates.erase(m_candidates.begin());
  m_phase = Phase::kTrying;
  m_triedAt = m_now;
  return Step::kSwitch;
}

void AutoConnect::Restart() {
  m_phase = Phase::kIdle;
  m_candidates.clear();
}

void AutoConnect::OnUserAction() {
  m_userActed = true;
  m_candidates.clear();
  // What the user chose gets its chance; after the hold a new survey decides.
  m_waiting = false;
  m_leftSince.reset();
  if (m_phase == Phase::kTrying) {
    m_phase = Phase::kCounting;
    m_noLinkSince = m_now;
  }
}

}  // namespace tarnel::settings
