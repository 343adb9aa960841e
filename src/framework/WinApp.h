// The application object: start-up decides whether the program runs, exit always follows.
#pragma once

#include "framework/Wnd.h"

namespace tarnel {

class CWinApp : public CCmdTarget {
 public:
  CWinApp();
  ~CWinApp() override;

  // Instance start-up; FALSE skips the message loop and goes straight to instance exit.
  virtual BOOL InitInstance() { return FALSE; }
  // Instance exit; the result becomes the process exit code.
  virtual int ExitInstance() { return 0; }

  // Start-up, the loop when start-up asks for it, then exit.
  int Run(HINSTANCE instance);

  // The framework's common-control support (list view, progress bar) and control look.
  void EnableControlContainer();

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();

}  // namespace tarnel
