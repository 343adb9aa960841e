#include "settings/portable/LinkEvents.h"

#include <algorithm>

namespace tarnel {

namespace {

LinkEvent MakeEvent(LinkEventKind kind, uint32_t atMs, const LinkReading& link = LinkReading{}) {
  LinkEvent event;
  event.kind = kind;
  event.atMs = atMs;
  event.link = link;
  return event;
}

}  // namespace

const char* LinkEventName(LinkEventKind kind) {
  switch (kind) {
    case LinkEventKind::kState: return "state";
    case LinkEventKind::kConnected: return "connected";
    case LinkEventKind::kLost: return "lost";
    case LinkEventKind::kRoamed: return "roamed";
    case LinkEventKind::kChannel: return "channel";
    case LinkEventKind::kRadioOff: return "radio-off";
    case LinkEventKind::kRadioOn: return "radio-on";
    case LinkEventKind::kAdapterGone: return "adapter-gone";
    case LinkEventKind::kAdapterBack: return "adapter-back";
    case LinkEventKind::kProfile: return "profile";
    case LinkEventKind::kUnstable: return "unstable";
  }
  return "";
}

std::vector<LinkEvent> LinkEvents::Feed(const LinkReading& reading) {
  std::vector<LinkEvent> events;
  const uint32_t now = reading.atMs;
  m_latest = reading;
  if (!m_started) {
    m_started = true;
    m_adapterPresent = reading.adapterPresent;
    m_radioOff = reading.radioOff;
    m_up = reading.adapterPresent && reading.linked;
    m_link = reading;
    events.push_back(MakeEvent(LinkEventKind::kState, now, reading));
    return events;
  }
  m_suspended = false;
  if (!reading.adapterPresent) {
    if (!m_adapterPresent) return events;
    EndLink(now, false, &events);
    m_adapterPresent = false;
    events.push_back(MakeEvent(LinkEventKind::kAdapterGone, now));
    return events;
  }
  if (!m_adapterPresent) {
    m_adapterPresent = true;
    events.push_back(MakeEvent(LinkEventKind::kAdapterBack, now));
  }
  if (reading.radioOff != m_radioOff) {
    // Someone switched it, here or in another program: the link that goes with it is theirs.
    if (reading.radioOff) EndLink(now, true, &events);
    m_radioOff = reading.radioOff;
    events.push_back(MakeEvent(reading.radioOff ? LinkEventKind::kRadioOff : LinkEventKind::kRadioOn, now));
  }
  FeedLink(reading, &events);
  return events;
}

void LinkEvents::FeedLink(const LinkReading& reading, std::vector<LinkEvent>* events) {
  const uint32_t now = reading.atMs;
  if (reading.linked) return LinkUp(reading, events);
  if (!m_up) return;
  if (!m_lossSince) {
    m_lossSince = now;
    m_lossUserCaused = InUserChange(now);
  } else if (now - *m_lossSince >= kBriefLossMs) {
    const bool userCaused = m_lossUserCaused;
    EndLink(now, userCaused, events);
    if (!userCaused) CountLoss(now, events);
  }
}

void LinkEvents::CountLoss(uint32_t atMs, std::vector<LinkEvent>* events) {
  LinkEvent& lost = events->back();
  if (lost.link.ssid != m_lossesOf) {
    m_lossesOf = lost.link.ssid;
    m_losses.clear();
  }
  m_losses.erase(std::remove_if(m_losses.begin(), m_losses.end(),
                                [&](uint32_t at) { return atMs - at >= kUnstableSpanMs; }),
                 m_losses.end());
  m_losses.push_back(atMs);
  if (m_losses.size() < kUnstableLosses || IsUnstable(m_lossesOf)) return;
  m_unstable = m_lossesOf;
  lost.quiet = true;  // the one notice says it all
  events->push_back(MakeEvent(LinkEventKind::kUnstable, atMs, lost.link));
}

void LinkEvents::LinkUp(const LinkReading& reading, std::vector<LinkEvent>* events) {
  const uint32_t now = reading.atMs;
  const bool wasLost = m_lossSince.has_value();
  const bool afterUserLoss = wasLost && m_lossUserCaused;
  m_lossSince.reset();
  // Another network: the one before is lost, by the user when they just changed something.
  if (m_up && reading.ssid != m_link.ssid) EndLink(now, wasLost ? afterUserLoss : InUserChange(now), events);
  if (!m_up) {
    events->push_back(Connected(reading));
    m_upSince = now;
  } else if (reading.bssid != m_link.bssid) {
    LinkEvent roamed = MakeEvent(LinkEventKind::kRoamed, now, reading);
    roamed.previousBssid = m_link.bssid;
    events->push_back(roamed);
  } else if (reading.channel != m_link.channel) {
    LinkEvent moved = MakeEvent(LinkEventKind::kChannel, now, reading);
    moved.previousChannel = m_link.channel;
    events->push_back(moved);
  } else if (afterUserLoss) {
    // The user's own change took the link down for a moment: its return confirms the change.
    events->push_back(Connected(reading));
  }
  m_up = true;
  m_link = reading;
  if (IsUnstable(reading.ssid) && now - m_upSince >= kUnstableSpanMs) m_unstable.clear();  // it held
}

LinkEvent LinkEvents::Connected(const LinkReading& reading) const {
  LinkEvent connected = MakeEvent(LinkEventKind::kConnected, reading.atMs, reading);
  connected.quiet = IsUnstable(reading.ssid);
  return connected;
}

void LinkEvents::EndLink(uint32_t atMs, bool userCaused, std::vector<LinkEvent>* events) {
  m_lossSince.reset();
  if (!m_up) return;
  m_up = false;
  LinkEvent lost = MakeEvent(LinkEventKind::kLost, atMs, m_link);
  lost.userCaused = userCaused;
  lost.quiet = IsUnstable(m_link.ssid);
  events->push_back(lost);
}

void LinkEvents::OnUserChange(uint32_t nowMs) {
  m_userChangeSeen = true;
  m_userChangeAt = nowMs;
  if (m_lossSince) m_lossUserCaused = true;
}

LinkEvent LinkEvents::OnProfileSwitched(const std::string& name, const std::string& ssid, bool automatic,
                                        uint32_t nowMs) {
  OnUserChange(nowMs);
  LinkEvent event = MakeEvent(LinkEventKind::kProfile, nowMs);
  event.profile = name;
  event.link.ssid = ssid;
  event.automatic = automatic;
  event.userCaused = !automatic;
  return event;
}

std::vector<LinkEvent> LinkEvents::OnSuspend(uint32_t nowMs) {
  std::vector<LinkEvent> events;
  EndLink(nowMs, true, &events);
  m_suspended = true;
  m_latest.linked = false;
  return events;
}

std::optional<LinkNotice> NoticeFor(const LinkEvent& event) {
  if (event.userCaused || event.quiet) return std::nullopt;
  const LinkReading& link = event.link;
  switch (event.kind) {
    case LinkEventKind::kConnected:
      return LinkNotice{"Connected",
                        "Connected to " + link.ssid + " on channel " + std::to_string(link.channel) + ", signal " +
                            std::to_string(link.signal) + "%.",
                        false};
    case LinkEventKind::kLost:
      return LinkNotice{"Connection lost", "The connection to " + link.ssid + " was lost.", true};
    case LinkEventKind::kProfile:
      return LinkNotice{"Switching profile",
                        link.ssid + " is in range: switching to the profile " + event.profile + ".", false};
    case LinkEventKind::kAdapterGone:
      return LinkNotice{"Adapter removed", "The wireless adapter was removed.", true};
    case LinkEventKind::kUnstable:
      return LinkNotice{"Unstable connection", "The connection to " + link.ssid + " keeps dropping.", true};
    default:
      return std::nullopt;
  }
}

std::optional<LinkNotice> NoticePacer::Offer(const LinkNotice& notice, uint32_t nowMs) {
  m_waiting = notice;
  return Due(nowMs);
}

std::optional<LinkNotice> NoticePacer::Due(uint32_t nowMs) {
  if (!m_waiting || (m_shownAny && nowMs - m_shownAt < kIntervalMs)) return std::nullopt;
  std::optional<LinkNotice> shown;
  shown.swap(m_waiting);
  m_shownAny = true;
  m_shownAt = nowMs;
  return shown;
}

std::string LinkTipLine(const LinkReading& latest, bool away, bool unstable) {
  if (away || !latest.adapterPresent) return "Adapter not present";
  if (latest.radioOff) return "Radio off";
  if (!latest.linked) return "Not connected";
  if (unstable) return latest.ssid + ", unstable, signal " + std::to_string(latest.signal) + "%";
  return latest.ssid + ", signal " + std::to_string(latest.signal) + "%, quality " + std::to_string(latest.quality) + "%";
}

}  // namespace tarnel
