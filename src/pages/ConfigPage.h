// The "Configuration" page: network name, mode, channel, rate, power saving and profiles.
// It shows the stored current profile, never the driver's state: every change is saved to the
// profile first, then pushed to the driver in a fixed order ending with a rescan.
#pragma once

#include <array>

#include "framework/Gdi.h"
#include "pages/BackdropPage.h"
#include "settings/Configuration.h"
#include "widgets/BitmapLabel.h"

namespace tarnel {

class CEncryptionPage;

class CConfigPage : public CBackdropPage {
 public:
  // A one-shot refresh right after activation, then the change check while shown. The check's
  // id is the page's index in the main window's page table plus one, so that the main window
  // stops it with the other pages' timers.
  static constexpr UINT_PTR kRefreshTimerId = 21;
  static constexpr UINT kRefreshDelayMs = 1;
  static constexpr UINT_PTR kCheckTimerId = 2;
  static constexpr UINT kCheckPeriodMs = 700;

  CConfigPage();
  const char* GetRuntimeClassName() const override { return "CConfigPage"; }

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnTimer(UINT_PTR id) override;
  void OnShowWindow(BOOL show, UINT status) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) override;
  // Enter: "Add" from the profile-name box, elsewhere "Apply" when there is something to apply.
  void OnOK() override;

  // Replaces the template's channel entries by those of the driver's channel plan.
  void FillChannelList();
  // Loads the current profile's name from the registry, shows its settings and the list.
  void RefreshProfileList();
  // Shows the current profile's stored settings (also the "Cancel" button).
  void ReloadConfiguration();
  // True while the controls differ from the stored current profile.
  bool IsConfigurationModified();
  // The change check: "Apply" and "Cancel" enabled only while the controls differ from the store.
  void UpdateChangeButtons();
  // Saves the controls under the current profile and pushes them to the driver.
  void ApplyConfiguration();
  void AddProfile();
  void RemoveProfile();
  // Makes the selected profile current and applies it, both halves.
  void SelectProfile();
  // The same for a profile chosen elsewhere (the icon's menu, the automatic connection); the
  // list then shows it selected.
  void SwitchToProfile(const std::string& name, bool automatic);
  // True while the page shows a profile whose settings differ from the stored ones. A page that
  // has shown none yet holds nothing.
  bool HoldsChanges();

 private:
  int Selection(int comboId) const;
  // The settings the controls show, with the network name as last taken from its box.
  settings::ConfigurationValues Shown() const;
  void Select(int comboId, int position);
  // Takes the box's text as the network name, cut to what the driver and store take.
  void TakeNetworkName();
  // Refills the list box from ProfileNameList.
  void FillProfileListBox();
  // The selected entry equal to the current profile name, whatever its letter case.
  void SelectCurrentProfileEntry();
  CEncryptionPage* EncryptionPage() const;
  // Both halves of name stored again and sent as the pages show them, then shown.
  void UseProfile(const std::string& name, bool automatic);
  // The shown profile became current and was applied: the main window hears its name.
  void TellProfileSwitched(bool automatic);

  static const std::array<int, 6> kLabelIds;  // the last one, "Profile", carries bitmap 117
  GdiObject m_labelBitmap;                     // held for the page object's life: labels only borrow it
  std::array<CBitmapLabel, 6> m_labels;

  // The current profile's settings as last loaded; the store's defaults until then, and kept
  // when the store cannot be read. The name is exchanged with its box.
  settings::ConfigurationValues m_loaded;
  bool m_showsProfile = false;  // a profile was loaded into the controls since creation
};

}  // namespace tarnel
