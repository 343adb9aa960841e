#include "app/AutoConnection.h"

#include <memory>
#include <utility>

#include "adapter/portable/SurveyRecord.h"
#include "app/TarnelDlg.h"
#include "framework/WaitCursor.h"
#include "profiles/ProfileGlobals.h"
#include "settings/Profiles.h"
#include "settings/Survey.h"

namespace tarnel {

void CAutoConnection::ReloadProfiles() {
  m_store.Restart();
  const bool none = m_profiles.empty();
  m_profiles = LoadAutoConnectProfiles();
  // Nothing ran while no profile asked for it: the first one starts the timing afresh.
  if (none && !m_profiles.empty()) m_timing = settings::AutoConnect();
}

void CAutoConnection::OnReading(const LinkReading& reading) {
  // Another program's writes count from the next reading on, whatever the link does; asking
  // reads nothing from the registry. An adapter found gone leaves no store to read.
  if (reading.adapterPresent && m_store.Changed(reading.atMs)) ReloadProfiles();
  if (m_profiles.empty()) return;

  const bool linked = reading.linkState == NV_LINK_ASSOCIATED || reading.linkState == NV_LINK_AD_HOC;

  settings::LinkSituation situation;
  situation.atMs = reading.atMs;
  situation.linked = linked;
  // A page set of one means the system's own wireless configuration runs the adapter.
  situation.mayAct = reading.adapterPresent && !reading.radioOff && m_owner.AdapterReady &&
                     m_owner.PageCount() == CTarnel_UIDlg::kFullPageCount;
  using Step = settings::AutoConnect::Step;
  Step step = m_timing.OnReading(situation, [this] { return m_owner.PagesHoldChanges(); });
  if (step == Step::kSurvey) {
    std::vector<std::string> candidates = Survey();
    settings::ReloadCurrentProfileName();  // nvkctl may have made another one current
    step = m_timing.OnSurvey(std::move(candidates), CurrentProfileName);
  }
  if (step == Step::kSwitch) m_owner.SwitchProfile(m_timing.Candidate(), true);
}

void CAutoConnection::OnAdapterBack() { m_timing.Restart(); }

void CAutoConnection::OnUserChange() {
  ReloadProfiles();
  m_timing.OnUserAction();
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
  std::vector<settings::KnownNetwork> known;
  for (const AutoConnectProfile& p : m_profiles) known.push_back({p.name, p.ssid, p.netMode, p.priority});
  return settings::ChooseProfiles(known, LoadRecentProfiles(), inRange);
}

}  // namespace tarnel
