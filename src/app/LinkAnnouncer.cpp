#include "app/LinkAnnouncer.h"

#include <windows.h>

#include "app/TrayIcon.h"
#include "framework/RegKey.h"
#include "profiles/RegistryValues.h"

namespace tarnel {

bool LoadShowNotices() {
  RegKey key = RegKey::Open(HKEY_CURRENT_USER, CLinkAnnouncer::kSettingsKey, KEY_QUERY_VALUE);
  int32_t value = 1;
  return !key.IsOpen() || !ReadInt32(key.Get(), CLinkAnnouncer::kShowNoticesValue, &value) || value != 0;
}

void StoreShowNotices(bool show) {
  RegKey key = RegKey::Create(HKEY_CURRENT_USER, CLinkAnnouncer::kSettingsKey);
  if (key.IsOpen()) WriteInt32(key.Get(), CLinkAnnouncer::kShowNoticesValue, show ? 1 : 0);
}

void CLinkAnnouncer::Start() { m_showNotices = LoadShowNotices(); }

void CLinkAnnouncer::OnReading(const LinkReading& reading) {
  Announce(m_model.Feed(reading), reading.atMs);
  UpdateTip();  // goes with the picture that the same tick's report sets
}

void CLinkAnnouncer::OnProfileSwitched(const std::string& name, const std::string& ssid, bool automatic,
                                       uint32_t nowMs) {
  Announce({m_model.OnProfileSwitched(name, ssid, automatic, nowMs)}, nowMs);
}

void CLinkAnnouncer::OnAdapterGone(uint32_t nowMs) {
  if (!m_model.Started()) return;  // nothing read yet: nothing to tell
  LinkReading gone;
  gone.atMs = nowMs;
  gone.adapterPresent = false;
  OnReading(gone);
}

void CLinkAnnouncer::OnSuspend(uint32_t nowMs) {
  m_model.OnSuspend(nowMs);
  m_pacer.Drop();
  UpdateTip();
  m_tray.FlushTip();  // no link report follows a suspend
}

void CLinkAnnouncer::OnExit() {
  m_ended = true;
  m_pacer.Drop();
}

void CLinkAnnouncer::OnTick(uint32_t nowMs) {
  if (m_ended || !m_showNotices) return;
  if (auto notice = m_pacer.Due(nowMs)) Show(*notice);
}

void CLinkAnnouncer::SetShowNotices(bool show) {
  m_showNotices = show;
  if (!show) m_pacer.Drop();
  StoreShowNotices(show);
}

// Of the notices that come together, the latest wins.
void CLinkAnnouncer::Announce(const std::vector<LinkEvent>& events, uint32_t nowMs) {
  if (m_ended || !m_showNotices) return;
  std::optional<LinkNotice> latest;
  for (const LinkEvent& event : events) {
    if (auto notice = NoticeFor(event)) latest = notice;
  }
  if (!latest) return;
  if (auto now = m_pacer.Offer(*latest, nowMs)) Show(*now);
}

void CLinkAnnouncer::Show(const LinkNotice& notice) { m_tray.ShowBalloon(notice.title, notice.text, notice.warning); }

void CLinkAnnouncer::UpdateTip() {
  if (m_ended) return;
  m_tray.SetTip(m_title + "\n" + LinkTipLine(m_model.Latest(), m_model.Away(), m_model.Unstable()));
}

}  // namespace tarnel
