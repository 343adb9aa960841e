#include "app/AutoConnection.h"

#include <memory>

#include "adapter/portable/SurveyRecord.h"
#include "app/TarnelDlg.h"
#include "framework/WaitCursor.h"
#include "settings/Survey.h"

namespace tarnel {

void CAutoConnection::ReloadProfiles() {
  m_store.Restart();
  m_profiles = LoadAutoConnectProfiles();
}

void CAutoConnection::OnReading(const LinkReading& reading) {
  const bool linked = reading.linkState == NV_LINK_ASSOCIATED || reading.linkState == NV_LINK_AD_HOC;
  // An adapter found gone reads as a loss too, but then the store cannot be reached.
  if (m_linked && !linked && reading.adapterPresent && m_store.Changed()) ReloadProfiles();
  m_linked = linked;
  if (m_profiles.empty()) return;

  settings::LinkSituation situation;
  situation.atMs = reading.atMs;
  situation.linked = linked;
  // A page set of one means the system's own wireless configuration runs the adapter.
  situation.mayAct = reading.adapterPresent && !reading.radioOff && m_owner.AdapterReady &&
                     m_owner.PageCount() == CTarnel_UIDlg::kFullPageCount;
  using Step = settings::AutoConnect::Step;
  Step step = m_timing.OnReading(situation, [this] { return m_owner.PagesHoldChanges(); });
  if (step == Step::kSurvey) step = m_timing.OnSurvey(Survey());
  if (step == Step::kSwitch) m_owner.SwitchProfile(m_timing.Candidate(), true);
}

void CAutoConnection::OnAdapterBack() { m_timing.Restart(); }

void CAutoConnection::OnUserChange() {
  m_timing.OnUserAction();
  ReloadProfiles();
}

std::vector<std::string> CAutoConnection::Survey() {
  CWaitCursor wait;
  auto records = std::make_unique<settings::SurveyBuffer>();
  const int count = settings::RunSurvey(records.get());
  m_owner.OnSurveyResult(records->data(), count);
  std::vector<settings::NetworkInRange> inRange;
  for (int i = 0; i < count; ++i) {
    const SiteSurveyEntry& record = (*records)[static_cast<size_t>(i)];
    inRange.push_back({SurveySsid(record), record.networkType != 0, record.signal});
  }
  // Priorities as they are now: the survey may come long after the last reload.
  if (m_store.Changed()) ReloadProfiles();
  std::vector<settings::KnownNetwork> known;
  for (const AutoConnectProfile& p : m_profiles) known.push_back({p.name, p.ssid, p.netMode, p.priority});
  return settings::ChooseProfiles(known, LoadRecentProfiles(), inRange);
}

}  // namespace tarnel
