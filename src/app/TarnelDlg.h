// The main window: header band with the tabs, version panel and the page in front.
#pragma once

#include "framework/Dialog.h"
#include "resource.h"

namespace tarnel {

class CTarnel_UIDlg : public CDialog {
 public:
  CTarnel_UIDlg() : CDialog(IDD_MAIN) {}
  const char* GetRuntimeClassName() const override { return "CTarnel_UIDlg"; }
};

}  // namespace tarnel
