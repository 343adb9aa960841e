#include "PlatformNotice.h"

#include <dbt.h>

#include <vector>

namespace tarnel::sim {
namespace {

// The notice being awaited and its answers so far. Each notice has its own number, so that a
// late answer to an earlier one is not counted.
struct Answers {
  ULONG_PTR notice = 0;
  int count = 0;
};
Answers g_answers;

void CALLBACK CountAnswer(HWND, UINT, ULONG_PTR notice, LRESULT) {
  if (notice == g_answers.notice) ++g_answers.count;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Answers come in as this thread takes its messages.
void AwaitAnswers(int awaited) {
  const DWORD start = ::GetTickCount();
  while (g_answers.count < awaited && ::GetTickCount() - start < kNoticeWaitMs) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
}

// Sent to every window at once, waiting on none: a window that cannot take it now gets it when
// its thread takes messages again (a notice sent with a time limit would be lost under Wine once
// the time is up). Then the answers are awaited, so that a caller's next step sees the notice
// handled, except those of windows whose thread has taken no message for 5 s (hung).
NoticeReach SendToTopLevelWindows(UINT message, WPARAM wParam) {
  const std::vector<HWND> windows = TopLevelWindows();
  g_answers = {g_answers.notice + 1, 0};
  int sent = 0;
  int awaited = 0;
  for (HWND window : windows) {
    if (!::SendMessageCallbackA(window, message, wParam, 0, CountAnswer, g_answers.notice)) continue;
    ++sent;
    if (!::IsHungAppWindow(window)) ++awaited;
  }
  AwaitAnswers(awaited);
  return {g_answers.count, sent - g_answers.count};
}

}  // namespace

NoticeReach SendDevNodeNotice(WPARAM event, DWORD devNode) {
  DEV_BROADCAST_DEVNODE node = {sizeof(node), DBT_DEVTYP_DEVNODE, 0, devNode};
  NoticeReach reach;
  const DWORD start = ::GetTickCount();
  for (HWND window : TopLevelWindows()) {
    const DWORD spent = ::GetTickCount() - start;
    DWORD_PTR answer = 0;
    // A hung window is passed over at once; one that takes longer than what is left misses it.
    const bool answered = spent < kNoticeWaitMs &&
                          ::SendMessageTimeoutA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&node),
                                                SMTO_ABORTIFHUNG, kNoticeWaitMs - spent, &answer);
    ++(answered ? reach.answered : reach.silent);
  }
  return reach;
}

NoticeReach SendDeviceChangeNotice() { return SendToTopLevelWindows(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED); }

NoticeReach SendPowerNotice(WPARAM event) { return SendToTopLevelWindows(WM_POWERBROADCAST, event); }

}  // namespace tarnel::sim
