// The link's events, made from successive readings and the user's own actions: the one model
// behind the icon's notices and tooltip and nvkctl watch. The clock is the readings' own
// (milliseconds, compared by unsigned difference), so a test steps it without waiting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/portable/LinkReading.h"

namespace tarnel {

enum class LinkEventKind {
  kState,        // the first reading: what is found at start
  kConnected,
  kLost,
  kRoamed,       // another BSSID of the same network
  kChannel,      // the same peer on another channel
  kRadioOff,
  kRadioOn,
  kAdapterGone,
  kAdapterBack,
  kProfile,      // a profile became current: by the user or automatically
  kUnstable,     // the same network lost again and again: told once
};

// "state", "connected", "lost", "roamed", "channel", "radio-off", "radio-on", "adapter-gone",
// "adapter-back", "profile", "unstable".
const char* LinkEventName(LinkEventKind kind);

struct LinkEvent {
  LinkEventKind kind = LinkEventKind::kState;
  uint32_t atMs = 0;
  // The link concerned: the new one (connected, roamed, channel), the one lost (lost), or what
  // the first reading found (state: also adapter and radio).
  LinkReading link;
  std::string previousBssid;   // roamed
  int32_t previousChannel = 0; // channel
  std::string profile;         // profile: its name; link.ssid its network
  bool automatic = false;      // profile
  // Caused by the user's own act (an apply, switch or join, the radio, a suspend): no notice.
  bool userCaused = false;
  // Lost or connected on a network already told unstable: no notice of its own.
  bool quiet = false;
};

class LinkEvents {
 public:
  // A link lost for less than this is neither lost nor connected again.
  static constexpr uint32_t kBriefLossMs = 3000;
  // A loss that begins this soon after the user's own change is theirs.
  static constexpr uint32_t kUserChangeMs = 10000;
  // The same network lost this often within kUnstableSpanMs is unstable, until it holds that long.
  static constexpr size_t kUnstableLosses = 3;
  static constexpr uint32_t kUnstableSpanMs = 120000;

  // One reading; the events it makes, in order.
  std::vector<LinkEvent> Feed(const LinkReading& reading);
  // The user applied, switched, added, removed or joined, or switched the radio.
  void OnUserChange(uint32_t nowMs);
  // A profile became current; either way the loss that follows is explained.
  LinkEvent OnProfileSwitched(const std::string& name, const std::string& ssid, bool automatic, uint32_t nowMs);
  // The system suspends: the link ends by the user's act, and no reading comes until resume.
  std::vector<LinkEvent> OnSuspend(uint32_t nowMs);

  bool Started() const { return m_started; }
  // Unplugged, gone or suspended.
  bool Away() const { return !m_adapterPresent || m_suspended; }
  // The latest reading.
  const LinkReading& Latest() const { return m_latest; }
  // The latest reading is a link on a network told unstable.
  bool Unstable() const { return m_latest.linked && IsUnstable(m_latest.ssid); }

 private:
  void FeedLink(const LinkReading& reading, std::vector<LinkEvent>* events);
  void LinkUp(const LinkReading& reading, std::vector<LinkEvent>* events);
  LinkEvent Connected(const LinkReading& reading) const;
  bool IsUnstable(const std::string& ssid) const { return !m_unstable.empty() && ssid == m_unstable; }
  // Ends the link that is up or briefly lost.
  void EndLink(uint32_t atMs, bool userCaused, std::vector<LinkEvent>* events);
  // A loss the user did not cause, just made: the third within the span makes it unstable.
  void CountLoss(uint32_t atMs, std::vector<LinkEvent>* events);
  bool InUserChange(uint32_t nowMs) const { return m_userChangeSeen && nowMs - m_userChangeAt < kUserChangeMs; }

  bool m_started = false;
  bool m_adapterPresent = true;
  bool m_suspended = false;
  bool m_radioOff = false;
  bool m_up = false;                  // a link is up, or lost for less than kBriefLossMs
  LinkReading m_link;                 // that link
  std::optional<uint32_t> m_lossSince;
  bool m_lossUserCaused = false;
  bool m_userChangeSeen = false;
  uint32_t m_userChangeAt = 0;
  uint32_t m_upSince = 0;             // the link came up (not back within kBriefLossMs)
  std::string m_lossesOf;             // the network of the losses counted
  std::vector<uint32_t> m_losses;     // their times, within kUnstableSpanMs
  std::string m_unstable;             // the network told unstable, until it holds
  LinkReading m_latest;
};

// What the icon shows for an event: nothing for the user's own acts and most kinds.
struct LinkNotice {
  std::string title;
  std::string text;
  bool warning = false;  // else information
};
std::optional<LinkNotice> NoticeFor(const LinkEvent& event);

// At most one notice every kIntervalMs; of those that come meanwhile the latest wins.
class NoticePacer {
 public:
  static constexpr uint32_t kIntervalMs = 5000;

  // The notice to show now, if any; else it waits (replacing any that waits).
  std::optional<LinkNotice> Offer(const LinkNotice& notice, uint32_t nowMs);
  // The waiting notice once its turn has come.
  std::optional<LinkNotice> Due(uint32_t nowMs);
  // Exit and suspend: what waits is not shown.
  void Drop() { m_waiting.reset(); }

 private:
  bool m_shownAny = false;
  uint32_t m_shownAt = 0;
  std::optional<LinkNotice> m_waiting;
};

// The tooltip's second line: "SSID, signal S%, quality Q%" ("SSID, unstable, signal S%" on an
// unstable network), "Not connected", "Radio off" or "Adapter not present".
std::string LinkTipLine(const LinkReading& latest, bool away, bool unstable = false);

}  // namespace tarnel
