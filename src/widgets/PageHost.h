// What the main window offers to its tab labels and pages. Pages reach the main window only
// through this.
#pragma once

#include <string>

#include "adapter/NvApi.h"
#include "framework/Dialog.h"
#include "settings/portable/LinkReading.h"

namespace tarnel {

// Posted by the link information page after every refresh: signal strength in the high word
// of wParam, link quality in the low word, 0 for no link.
constexpr UINT WM_LINK_STATUS = WM_USER + 0x36;  // 0x436

class CPageHost : public CDialog {
 public:
  using CDialog::CDialog;

  // The library is initialised and the adapter usable. The link information page clears it
  // when it finds the adapter unplugged.
  BOOL AdapterReady = FALSE;

  // Number of created pages (1 or 4; 0 before creation).
  virtual int PageCount() const = 0;
  // Page i (0 link information, 1 configuration, 2 encryption, 3 site survey), or null.
  virtual CPropertyPage* PageTable(int) const { return nullptr; }
  // Brings page k to the front.
  virtual void SelectPage(int k) = 0;
  // Stops timer i + 1 on every page i.
  virtual void StopPageTimers() {}
  // Every reading of the link page's tick, after the page has shown it.
  virtual void OnLinkReading(const LinkReading&) {}
  // The user applied, switched, added, removed or joined in the window (or from the icon's
  // menu): what acts on the user's behalf holds back for a while.
  virtual void OnUserChange() {}
  // A profile became current and was applied: by the user (automatic false) or by the
  // automatic connection. ssid is the profile's network name.
  virtual void OnProfileSwitched(const std::string& /*name*/, const std::string& /*ssid*/, bool /*automatic*/) {}
  // A survey finished (the SiteSurvey page's or any other): its first count records.
  virtual void OnSurveyResult(const SiteSurveyEntry* /*records*/, int /*count*/) {}
  // Opens the link monitor, or brings it to the front.
  virtual void OpenLinkMonitor() {}
};

}  // namespace tarnel
