// Connecting by itself to a profile's network once the link has been gone a while. Stepped by the
// link page's readings (their clock is the only one it uses); it surveys through the settings
// layer and switches through the main window as the Configuration page's list does. With no
// profile set to connect automatically it does nothing at all.
#pragma once

#include <string>
#include <vector>

#include "profiles/ProfileStore.h"
#include "profiles/StoreWatch.h"
#include "settings/portable/AutoConnect.h"
#include "settings/portable/LinkReading.h"

namespace tarnel {

class CTarnel_UIDlg;

class CAutoConnection {
 public:
  explicit CAutoConnection(CTarnel_UIDlg& owner) : m_owner(owner) {}
  CAutoConnection(const CAutoConnection&) = delete;
  CAutoConnection& operator=(const CAutoConnection&) = delete;

  // Reads which profiles connect automatically: at start-up, after the user's own changes and
  // at a reading after anything under the driver key changed (nvkctl, an import).
  void ReloadProfiles();
  void OnReading(const LinkReading& reading);
  // The user's own act in the window or from the icon's menu.
  void OnUserChange();
  // The library is usable again after a suspend or an unplug: the 5 s count starts afresh.
  void OnAdapterBack();

  bool HasProfiles() const { return !m_profiles.empty(); }

 private:
  // One survey, shown to the main window like any other; the candidates it gives, best first.
  std::vector<std::string> Survey();

  CTarnel_UIDlg& m_owner;
  settings::AutoConnect m_timing;
  std::vector<AutoConnectProfile> m_profiles;
  StoreWatch m_store;  // what was read above is still what is stored
};

}  // namespace tarnel
