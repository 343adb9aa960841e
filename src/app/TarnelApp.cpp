#include "app/TarnelApp.h"

#include "adapter/NvLibrary.h"
#include "app/CloseRequests.h"
#include "app/TarnelDlg.h"

namespace tarnel {

BOOL CTarnel_UIApp::InitInstance() {
  LoadNvLibrary("NvkLib.dll");

  m_instanceSection = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 20,
                                           kInstanceSectionName);
  if (::GetLastError() == ERROR_ALREADY_EXISTS) return FALSE;  // another copy runs: end silently

  EnableControlContainer();

  if (Nv().NV_Initialize(0) == 0) return FALSE;
  AcceptCloseRequestsFromLowerRights();

  CTarnel_UIDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  // An unplug or a suspend that stopped the library already was its one stop.
  m_stopAtExit = !dialog.LibraryStopped();
  return FALSE;  // straight to instance exit: there is no loop of our own
}

int CTarnel_UIApp::ExitInstance() {
  if (m_stopAtExit) Nv().NV_Stop();
  return CWinApp::ExitInstance();
}

}  // namespace tarnel
