// The "Encryption" page: WEP on or off, key format, passphrase, four keys, the default key.
// It edits the encryption half of the current profile: Apply stores the page and pushes it to
// the driver, Cancel reloads it, and while shown it compares itself with the stored profile.
#pragma once

#include <array>

#include "framework/Gdi.h"
#include "pages/BackdropPage.h"
#include "settings/Encryption.h"
#include "widgets/BitmapLabel.h"

namespace tarnel {

class CEncryptionPage : public CBackdropPage {
 public:
  // Page 2: its polling timer is 3 (page index + 1), which the main window stops by id.
  static constexpr UINT_PTR kPollTimerId = 3;
  static constexpr UINT kPollPeriodMs = 800;
  // Reloads the page once, just after activation.
  static constexpr UINT_PTR kReloadTimerId = 31;
  static constexpr UINT kReloadDelayMs = 1;

  CEncryptionPage();
  const char* GetRuntimeClassName() const override { return "CEncryptionPage"; }

  // Fills the page from the current profile; also the Cancel button. The configuration page
  // calls it after selecting a profile.
  void ReloadEncryption();
  // Stores the page in the current profile and pushes it to the driver; also the Apply button.
  // The configuration page calls it after adding or selecting a profile.
  void ApplyEncryption();

  // What the page holds, as Apply and the change check read it: keys filled up to the format's
  // length, key index -1 when no radio button is ticked.
  settings::EncryptionValues CollectForm() const;
  // 1 when the page differs from the stored profile (the passphrase is not compared), else 0.
  int IsEncryptionModified() const;
  // True while the page shows a profile whose keys differ from the stored ones; a page that has
  // shown none yet holds nothing.
  bool HoldsChanges() const;
  // Enables, disables, clears and limits the controls for a format.
  void UpdateFormatControls(KeyFormat format);
  // Regenerates the four keys when a passphrase format is selected.
  void OnPassphraseChange();

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnSetActive() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Enter: "Apply" when there is something to apply.
  void OnOK() override;
  void OnTimer(UINT_PTR id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMsg) override;
  void OnShowWindow(BOOL show, UINT status) override;

 private:
  // Edits in key order 1 to 4 (the members are declared the other way round).
  std::array<CWnd*, 4> KeyEdits();
  std::array<const CWnd*, 4> KeyEdits() const;
  bool IsKeyEdit(HWND hwnd) const;
  int ListSelection() const;
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);
  void EnableControl(int id, bool enable);
  // The mask character of an edit (0 for none), shown at once.
  static void SetMask(CWnd& edit, char mask);
  void UnmaskIfEmpty(CWnd& edit);
  // Sets an edit's text (its change event runs before this returns) and repaints it at once.
  static void SetEditText(CWnd& edit, const char* text);
  void OnTimerReload();
  void OnTimerPoll();
  // "Apply" and "Cancel" enabled only while the page differs from the store.
  void UpdateChangeButtons();
  // The check box or the list changed: the controls follow the format the page now shows.
  void OnFormatChosen();
  // True when a key press may go on to its control.
  bool KeyPasses(const MSG& msg) const;

  // Members in this order: passphrase, keys 4 to 1, check box, format list, labels.
  CWnd m_passphraseEdit;
  CWnd m_key4Edit;
  CWnd m_key3Edit;
  CWnd m_key2Edit;
  CWnd m_key1Edit;
  CWnd m_encryptionCheck;
  CWnd m_formatList;
  GdiObject m_labelBitmap;  // bitmap 117 behind "Network Key" and "Default Key"; outlives the labels
  CBitmapLabel m_passphraseLabel;
  CBitmapLabel m_networkKeyLabel;
  CBitmapLabel m_keyFormatLabel;
  CBitmapLabel m_defaultKeyLabel;
  bool m_showsProfile = false;  // a profile was loaded into the controls since creation
};

}  // namespace tarnel
