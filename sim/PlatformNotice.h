// The notices the platform sends every top-level window when a device comes or goes and when
// the machine suspends or resumes. Under Wine nothing sends them, so the control tool does.
#pragma once

#include <windows.h>

namespace tarnel::sim {

// How long a notice waits for its answers: the utility waits 800 ms for a device to settle
// before it looks.
constexpr DWORD kNoticeWaitMs = 3000;

// What one notice met: the windows that handled it in time, and those that did not yet (hung or
// busy; they get it when they take messages again).
struct NoticeReach {
  int answered = 0;
  int silent = 0;
};

// WM_DEVICECHANGE with DBT_DEVNODES_CHANGED, which carries no header.
NoticeReach SendDeviceChangeNotice();

// WM_DEVICECHANGE as the 9x family sends it about one device node (DBT_DEVICEARRIVAL,
// DBT_DEVICEQUERYREMOVE, DBT_DEVICEREMOVECOMPLETE), its header naming the node. A notice that
// carries a header can only be sent and waited on: one window after the other, each with what is
// left of the time.
NoticeReach SendDevNodeNotice(WPARAM event, DWORD devNode);

// WM_POWERBROADCAST with a power event code (PBT_...).
NoticeReach SendPowerNotice(WPARAM event);

}  // namespace tarnel::sim
