// watch: the link's events as they happen, read at the link page's cadence, until a count, a
// time, Ctrl+C, Ctrl+Break or the console closing ends it. Every way out returns through the
// session, so the library is stopped once; the console's handler waits for that.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "cli/Commands.h"
#include "cli/portable/WatchLines.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/StoreWatch.h"
#include "settings/AdapterState.h"
#include "settings/Configuration.h"
#include "settings/Profiles.h"

namespace tarnel::cli {
namespace {

constexpr DWORD kCadenceMs = 300;       // the link page's tick
constexpr DWORD kHandlerWaitMs = 4000;  // within the system's grace for a closing console

// Kept for the process's life, not closed: the console's handler may still wait on them while
// the process ends.
HANDLE g_stop = nullptr;  // set by the console's handler
HANDLE g_done = nullptr;  // set once the run has let the library go

BOOL WINAPI OnConsoleControl(DWORD type) {
  ::SetEvent(g_stop);
  ::WaitForSingleObject(g_done, kHandlerWaitMs);
  // A closing console, a logoff or a shutdown ends the process when the handler returns.
  if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT) ::ExitProcess(0);
  return TRUE;
}

std::string Now() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return TimestampText({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

// The current profile, as the store records it; empty until known. Read again only when the
// store changed.
class ProfileWatch {
 public:
  // A profile event when the current profile is another than last time (none the first time).
  std::optional<LinkEvent> Check(LinkEvents& model, uint32_t nowMs) {
    if (m_known && !m_store.Changed(nowMs)) return std::nullopt;  // nothing written: nothing to read
    m_store.Restart();
    settings::ReloadCurrentProfileName();
    const std::string name = CurrentProfileName;
    const bool first = !m_known;
    m_known = true;
    if (first || name == m_name) {
      m_name = name;
      return std::nullopt;
    }
    m_name = name;
    settings::ConfigurationValues values;
    settings::LoadConfiguration(name, &values);
    return model.OnProfileSwitched(name, values.ssid, false, nowMs);
  }

 private:
  bool m_known = false;
  std::string m_name;
  StoreWatch m_store;
};

class Watch {
 public:
  explicit Watch(const CommandContext& c)
      : m_c(c), m_json(c.line.Has("--json")), m_samples(c.line.Has("--samples")),
        m_count(c.line.Number("--count")), m_seconds(c.line.Number("--seconds")) {}

  void Run() {
    const DWORD start = ::GetTickCount();
    for (;;) {
      const DWORD now = ::GetTickCount();
      if (!Read(now)) return;
      if (m_seconds && now - start >= static_cast<DWORD>(m_seconds) * 1000) return;
      DWORD wait = kCadenceMs - (::GetTickCount() - now) % kCadenceMs;
      if (m_seconds) wait = std::min<DWORD>(wait, static_cast<DWORD>(m_seconds) * 1000 - (::GetTickCount() - start));
      if (::WaitForSingleObject(g_stop, wait) == WAIT_OBJECT_0) return;
    }
  }

 private:
  // False once the count is reached.
  bool Read(uint32_t now) {
    const LinkReading reading = settings::ReadLinkReading(now);
    std::vector<LinkEvent> events = m_model.Feed(reading);
    if (auto profile = m_profiles.Check(m_model, now)) events.push_back(*profile);
    for (const LinkEvent& event : events) {
      if (!Write(EventLine(event, Now(), m_json))) return false;
    }
    return !m_samples || Write(SampleLine(reading, Now(), m_json));
  }

  // Each line reaches a pipe at once. False once the count is reached.
  bool Write(const std::string& line) {
    m_c.out << line;
    m_c.out.flush();
    return !m_count || ++m_lines < m_count;
  }

  const CommandContext& m_c;
  const bool m_json;
  const bool m_samples;
  const long m_count;
  const long m_seconds;
  long m_lines = 0;
  LinkEvents m_model;
  ProfileWatch m_profiles;
};

}  // namespace

ExitCode RunWatch(const CommandContext& c) {
  g_stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ::SetConsoleCtrlHandler(nullptr, FALSE);  // Ctrl+C too, also when started in a group of its own
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  Watch(c).Run();
  return kExitDone;
}

void EndWatch() {
  if (g_done) ::SetEvent(g_done);
}

}  // namespace tarnel::cli
