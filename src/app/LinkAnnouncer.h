// What the icon tells of the link: the notices in its balloon and the tooltip's second line,
// both from the one model of link events, fed by the main window with the link page's readings
// and the user's own acts. It owns no timer: the main window's 500 ms timer lets a waiting
// notice out. The user's choice of notices lives in HKCU\Software\Norvik\WLAN Utility.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/portable/LinkEvents.h"

namespace tarnel {

class CTrayIcon;

class CLinkAnnouncer {
 public:
  static constexpr char kSettingsKey[] = "Software\\Norvik\\WLAN Utility";
  static constexpr char kShowNoticesValue[] = "ShowNotices";

  CLinkAnnouncer(CTrayIcon& tray, std::string title) : m_tray(tray), m_title(std::move(title)) {}
  CLinkAnnouncer(const CLinkAnnouncer&) = delete;
  CLinkAnnouncer& operator=(const CLinkAnnouncer&) = delete;

  // Reads the user's choice; called as the icon is added.
  void Start();
  void OnReading(const LinkReading& reading);
  void OnUserChange(uint32_t nowMs) { m_model.OnUserChange(nowMs); }
  void OnProfileSwitched(const std::string& name, const std::string& ssid, bool automatic, uint32_t nowMs);
  // The adapter found gone by a notice rather than by the link page's tick.
  void OnAdapterGone(uint32_t nowMs);
  void OnSuspend(uint32_t nowMs);
  // Exit: nothing more is shown.
  void OnExit();
  // The main window's timer.
  void OnTick(uint32_t nowMs);

  bool ShowsNotices() const { return m_showNotices; }
  // The menu item: turns notices on or off and keeps the choice.
  void SetShowNotices(bool show);

 private:
  void Announce(const std::vector<LinkEvent>& events, uint32_t nowMs);
  void Show(const LinkNotice& notice);
  void UpdateTip();

  CTrayIcon& m_tray;
  const std::string m_title;
  LinkEvents m_model;
  NoticePacer m_pacer;
  bool m_showNotices = true;
  bool m_ended = false;
};

// The stored choice: on unless the value says 0.
bool LoadShowNotices();
void StoreShowNotices(bool show);

}  // namespace tarnel
