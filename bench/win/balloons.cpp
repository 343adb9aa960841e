// Counts the notification area's balloons for a span (bench/flap.sh runs it beside the utility):
// the shell makes a new balloon window for each balloon it shows, so each new window is one
// balloon. Polled every 100 ms; our notices come at least 5 s apart, so none is missed.
// usage: bench_balloons.exe SECONDS   prints "balloons N", then each balloon's text.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK FindBalloon(HWND window, LPARAM found) {
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof(name));
  if (::lstrcmpiA(name, "tooltips_class32") != 0 || !::IsWindowVisible(window)) return TRUE;
  if ((::GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON) == 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

std::string TextOf(HWND balloon) {
  char text[512] = {};
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(balloon, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &length);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD spanMs = static_cast<DWORD>(argc > 1 ? std::atoi(argv[1]) : 60) * 1000;
  std::vector<std::string> shown;
  HWND last = nullptr;
  for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < spanMs; ::Sleep(100)) {
    HWND balloon = nullptr;
    ::EnumWindows(FindBalloon, reinterpret_cast<LPARAM>(&balloon));
    if (balloon && balloon != last) shown.push_back(TextOf(balloon));
    last = balloon;
  }
  std::printf("balloons %u\n", static_cast<unsigned>(shown.size()));
  for (const std::string& text : shown) std::printf("  %s\n", text.c_str());
  return 0;
}
