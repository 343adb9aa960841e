// The application object: one copy at a time, the driver-control library opened for the
// run, the main window run modally, the library stopped on every way out.
#pragma once

#include "framework/WinApp.h"

namespace tarnel {

class CTarnel_UIApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  int ExitInstance() override;

  const char* GetRuntimeClassName() const override { return "CTarnel_UIApp"; }

 private:
  // The single-instance section, kept for the life of the process.
  HANDLE m_instanceSection = nullptr;
  // Cleared when the main window ends with the library already stopped by an unplug or suspend.
  bool m_stopAtExit = true;
};

// Name of the section whose existence marks a running copy.
constexpr const char* kInstanceSectionName = "Tarnel_UI";

}  // namespace tarnel
