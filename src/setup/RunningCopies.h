// Ending running copies of a program the gentle way, before their files are removed.
#pragma once

#include <windows.h>

namespace tarnel::setup {

// Asks each process whose file name is exeName to close (WM_CLOSE to its top-level dialogs, as
// the caption's close button does: the utility then removes its tray icon and stops the
// library), then waits until all have ended or timeoutMs has passed. A close request returns at
// once while the program takes a while to end. True when none runs any more.
bool CloseRunningCopies(const char* exeName, DWORD timeoutMs);

}  // namespace tarnel::setup
