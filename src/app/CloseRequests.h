// Letting the installer ask the running utility to close. Installed, the utility runs with
// administrator rights, while the installer's close request comes from a helper running with
// the installing user's ordinary rights: Windows Vista and later drop such messages to a more
// privileged window unless the program accepts them.
#pragma once

namespace tarnel {

// Accepts WM_CLOSE from processes of lower rights (nothing to do before Windows Vista).
void AcceptCloseRequestsFromLowerRights();

}  // namespace tarnel
