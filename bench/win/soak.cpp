// A long run of the real program over the simulated adapter, driven from outside and
// accelerated: link ticks are sent to the link page as its own timer message (the real tick
// runs, just sooner), pages are switched by their tabs, the adapter is unplugged and replugged,
// the machine suspended and resumed, profiles switched from the list, and the platform's own
// wireless configuration takes the adapter and gives it back (the pages are rebuilt).
//
// Printed: the program's memory, kernel handle and window figures as another process can see
// them under Wine (see tests/support/E2eProcessFigures.h for what each one is and why), the
// library's start and stop counts against what each cycle must add, and any step whose visible
// effect did not come.
//
//   bench_soak.exe [ticks switches unplugs suspends profiles modeflips]
//   defaults:       20000 2000   200     200      200      100
// Exit status 0 when nothing failed and the figures stayed flat.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "E2eControls.h"
#include "E2eProcessFigures.h"
#include "E2eSession.h"
#include "resource.h"

namespace tarnel::test {
namespace {

using sim::NvCall;

struct Plan {
  long ticks = 20000;
  long switches = 2000;
  long unplugs = 200;
  long suspends = 200;
  long profiles = 200;
  long modeFlips = 100;
};

constexpr int kRounds = 200;
constexpr int kSampleEvery = 20;
constexpr UINT_PTR kLinkTimer = 1;
constexpr UINT_PTR kModeTimer = 1;
constexpr WPARAM kConfigReloadTimer = 21;
constexpr WPARAM kEncryptionReloadTimer = 31;
constexpr WPARAM kSuspend = 4, kResume = 7, kDevNodesChanged = 7;
const int kTabs[] = {IDC_TAB_LINK_INFO, IDC_TAB_CONFIGURATION, IDC_TAB_ENCRYPTION, IDC_TAB_SITE_SURVEY};
const PageKind kKinds[] = {PageKind::LinkInfo, PageKind::Configuration, PageKind::Encryption, PageKind::SiteSurvey};

struct Figures {
  int round = 0;
  ProcessSample at;
};

// What the run did and what went wrong.
struct Tally {
  long ticks = 0, switches = 0, unplugs = 0, suspends = 0, profiles = 0, modeFlips = 0;
  long failures = 0;
  void Fail(const char* what, int round) {
    if (++failures <= 20) std::printf("  round %d: %s\n", round, what);
  }
};

class Soak {
 public:
  explicit Soak(const Plan& plan) : m_plan(plan), m_session(kSoakDriverKey) {}

  bool Start();
  void Run();
  int Finish();

 private:
  HWND Main() const { return m_session.Main(); }
  HWND Page(PageKind kind) const { return m_session.Page(kind); }
  bool Shown() const { return ::IsWindowVisible(Main()) != FALSE; }
  // This round's share of a total spread over the rounds.
  static long Share(long total, int round) { return total * (round + 1) / kRounds - total * round / kRounds; }

  bool AddProfile(const char* name, const char* ssid, int channel);
  void Ticks(long count, int round);
  void Switches(long count, int round);
  void Unplug(int round);
  void Suspend(int round);
  void SwitchProfile(int round);
  void FlipMode(int round);
  enum Activity { kTicks, kSwitches, kProfiles, kUnplugs, kSuspends, kModeFlips, kActivities };
  template <class Step>
  void Timed(Activity activity, Step step) {
    const DWORD start = ::GetTickCount();
    step();
    m_spentMs[activity] += ::GetTickCount() - start;
  }
  Figures Measure(int round) const;
  static void Print(const Figures& f);

  Plan m_plan;
  E2eSession m_session;
  std::unique_ptr<ProcessFigures> m_figures;
  Tally m_done;
  std::vector<Figures> m_samples;
  int m_nextProfile = 0;
  DWORD m_started = 0;
  DWORD m_spentMs[kActivities] = {};
};

bool Soak::AddProfile(const char* name, const char* ssid, int channel) {
  ClickTab(Main(), IDC_TAB_CONFIGURATION);
  HWND config = Page(PageKind::Configuration);
  if (!config) return false;
  ::SendMessageA(config, WM_TIMER, kConfigReloadTimer, 0);
  SetControlText(config, IDC_SSID, ssid);
  ChooseComboEntry(config, IDC_CHANNEL_LIST, channel - 1);
  SetControlText(config, IDC_PROFILE_NAME, name);
  Click(config, IDC_PROFILE_ADD);
  return m_session.Stored().Current() == name;
}

bool Soak::Start() {
  if (!m_session.Prepare(0) || !m_session.Launch()) return false;
  m_figures = std::make_unique<ProcessFigures>(m_session.App().Id(), Main());
  if (!m_figures->UnixPid()) std::printf("(the program's Unix process was not found: no /proc figures)\n");
  // Two profiles to switch between; the second with a generated 128-bit key.
  if (!AddProfile("SoakA", "tarnel-lab", 6) || !AddProfile("SoakB", "Harbour-Office", 1)) return false;
  ClickTab(Main(), IDC_TAB_ENCRYPTION);
  HWND encryption = Page(PageKind::Encryption);
  ::SendMessageA(encryption, WM_TIMER, kEncryptionReloadTimer, 0);  // its own reload, now
  Click(encryption, IDC_ENCRYPTION_ENABLE);
  ChooseComboEntry(encryption, IDC_KEY_FORMAT, 5);
  SetControlText(encryption, IDC_PASSPHRASE, "long run");
  Click(encryption, IDC_ENCRYPTION_APPLY);
  m_session.Sim().ResetCounters();
  m_started = ::GetTickCount();
  return m_session.Stored().Number("SoakB", "WEP") == 5;
}

void Soak::Ticks(long count, int round) {
  sim::SimClient& sim = m_session.Sim();
  for (long i = 0; i < count; ++i) {
    HWND link = Page(PageKind::LinkInfo);
    // Once in ten ticks the link drops for a tick; the figures move every tick.
    if (i % 10 == 4) {
      sim.SetLinkState(NV_LINK_SCANNING);
    } else if (i % 10 == 5) {
      sim.SetLinkState(NV_LINK_ASSOCIATED);
    }
    sim.SetSignal(static_cast<int32_t>(20 + (i * 7) % 81), static_cast<int32_t>(15 + (i * 11) % 86));
    ::SendMessageA(link, WM_TIMER, kLinkTimer, 0);
    ++m_done.ticks;
  }
  if (count && ControlText(Page(PageKind::LinkInfo), IDC_STATUS).rfind("Associated", 0) != 0)
    m_done.Fail("the link page did not show the association", round);
}

void Soak::Switches(long count, int round) {
  for (long i = 0; i < count; ++i) {
    const int k = static_cast<int>((m_done.switches + 1) % 4);
    ClickTab(Main(), kTabs[k]);
    ++m_done.switches;
    HWND page = Page(kKinds[k]);
    if (!page || !::IsWindowVisible(page)) m_done.Fail("a tab did not bring its page", round);
  }
}

void Soak::Unplug(int round) {
  sim::SimClient& sim = m_session.Sim();
  const uint32_t stops = sim.CallCount(NvCall::NV_Stop);
  // The page's own tick notices: a tick sent now could meet one of the timer's own and run the
  // unplug sequence twice, which the program by itself never does.
  sim.SetUnplugged(true);
  WaitFor([&] { return !Shown() && sim.CallCount(NvCall::NV_Stop) == stops + 1; }, 2000);
  if (Shown() || sim.CallCount(NvCall::NV_Stop) != stops + 1) m_done.Fail("unplug not handled", round);
  sim.SetUnplugged(false);
  ::SendMessageA(Main(), WM_DEVICECHANGE, kDevNodesChanged, 0);  // waits 800 ms inside
  if (!Shown()) m_done.Fail("replug did not bring the window back", round);
  ++m_done.unplugs;
}

void Soak::Suspend(int round) {
  ::SendMessageA(Main(), WM_POWERBROADCAST, kSuspend, 0);
  if (Shown()) m_done.Fail("suspend left the window shown", round);
  ::SendMessageA(Main(), WM_POWERBROADCAST, kResume, 0);
  if (!Shown()) m_done.Fail("resume did not bring the window back", round);
  ++m_done.suspends;
}

void Soak::SwitchProfile(int round) {
  ClickTab(Main(), IDC_TAB_CONFIGURATION);
  HWND config = Page(PageKind::Configuration);
  if (!config) return m_done.Fail("no configuration page", round);
  ::SendMessageA(config, WM_TIMER, kConfigReloadTimer, 0);
  const std::vector<std::string> names = ListBoxEntries(config, IDC_PROFILE_LIST);
  const std::string wanted = m_nextProfile++ % 2 ? "SoakB" : "SoakA";
  const auto at = std::find(names.begin(), names.end(), wanted);
  if (at == names.end()) return m_done.Fail("profile missing from the list", round);
  ChooseListBoxEntry(config, IDC_PROFILE_LIST, static_cast<int>(at - names.begin()));
  if (m_session.Stored().Current() != wanted || ControlText(config, IDC_SSID) != m_session.Stored().Text(wanted, "SSID"))
    m_done.Fail("profile switch not shown or recorded", round);
  ++m_done.profiles;
}

void Soak::FlipMode(int round) {
  sim::SimClient& sim = m_session.Sim();
  sim.SetXpConfig(true);
  ::SendMessageA(Main(), WM_TIMER, kModeTimer, 0);
  if (Page(PageKind::Configuration)) m_done.Fail("the settings pages stayed", round);
  sim.SetXpConfig(false);
  ::SendMessageA(Main(), WM_TIMER, kModeTimer, 0);
  if (!Page(PageKind::SiteSurvey)) m_done.Fail("the settings pages did not come back", round);
  ++m_done.modeFlips;
}

Figures Soak::Measure(int round) const { return {round, m_figures->Take()}; }

void Soak::Print(const Figures& f) {
  const ProcessSample& s = f.at;
  std::printf("  round %3d   VmRSS %6ld KiB  VmData %6ld KiB  VmSize %7ld KiB | working set %6ld KiB  pagefile %6ld KiB"
              " | handles %4ld | windows %3ld\n",
              f.round, s.rssKiB, s.dataKiB, s.sizeKiB, s.workingSetKiB, s.pagefileKiB, s.handles, s.windows);
}

void Soak::Run() {
  std::printf("round figures (before round 0, then every %d rounds):\n", kSampleEvery);
  m_samples.push_back(Measure(0));
  Print(m_samples.back());
  for (int round = 0; round < kRounds; ++round) {
    Timed(kTicks, [&] { Ticks(Share(m_plan.ticks, round), round); });
    Timed(kSwitches, [&] { Switches(Share(m_plan.switches, round), round); });
    if (Share(m_plan.profiles, round)) Timed(kProfiles, [&] { SwitchProfile(round); });
    if (Share(m_plan.unplugs, round)) Timed(kUnplugs, [&] { Unplug(round); });
    if (Share(m_plan.suspends, round)) Timed(kSuspends, [&] { Suspend(round); });
    if (Share(m_plan.modeFlips, round)) Timed(kModeFlips, [&] { FlipMode(round); });
    if (!m_session.App().IsRunning()) {
      m_done.Fail("the program ended", round);
      return;
    }
    if ((round + 1) % kSampleEvery == 0) {
      m_samples.push_back(Measure(round + 1));
      Print(m_samples.back());
    }
  }
}

int Soak::Finish() {
  sim::SimClient& sim = m_session.Sim();
  const double seconds = (::GetTickCount() - m_started) / 1000.0;
  const bool running = m_session.App().IsRunning();
  const bool closed = running && m_session.Close() && m_session.App().ExitCode() == 0;
  std::printf("done in %.0f s: %ld ticks sent (%u link reads in all, the page's own timer included), %ld page switches,\n"
              "  %ld unplug/replug, %ld suspend/resume, %ld profile switches, %ld configuration take-overs\n",
              seconds, m_done.ticks, sim.CallCount(NvCall::NV_GetStatusLinkInfo), m_done.switches, m_done.unplugs,
              m_done.suspends, m_done.profiles, m_done.modeFlips);

  const long counts[kActivities] = {m_done.ticks,   m_done.switches, m_done.profiles,
                                    m_done.unplugs, m_done.suspends, m_done.modeFlips};
  const char* const names[kActivities] = {"tick", "page switch", "profile switch", "unplug/replug", "suspend/resume",
                                          "take-over and back"};
  std::printf("time per step:");
  for (int i = 0; i < kActivities; ++i) {
    if (counts[i]) std::printf("%s %s %.2f ms", i ? "," : "", names[i], static_cast<double>(m_spentMs[i]) / counts[i]);
  }
  std::printf("\n");

  // Each unplug stops once and its replug initialises twice (once to look, once to take up);
  // each suspend stops once and its resume initialises once; the way out stops once more.
  const uint32_t inits = sim.CallCount(NvCall::NV_Initialize);
  const uint32_t stops = sim.CallCount(NvCall::NV_Stop);
  const uint32_t wantInits = 2 * m_done.unplugs + m_done.suspends;
  const uint32_t wantStops = m_done.unplugs + m_done.suspends + 1;
  std::printf("library: NV_Initialize %u (expected %u), NV_Stop %u (expected %u), initialised at the end: %s\n", inits,
              wantInits, stops, wantStops, stops == wantStops && inits == wantInits ? "balanced" : "UNBALANCED");

  // Flat: after the first sample interval (caches warmed), the last sample within a margin.
  const ProcessSample& warm = (m_samples.size() > 1 ? m_samples[1] : m_samples.front()).at;
  const ProcessSample& last = m_samples.back().at;
  const long rssGrowth = last.rssKiB - warm.rssKiB;
  const long dataGrowth = last.dataKiB - warm.dataKiB;
  const long handleGrowth = last.handles - warm.handles;
  const long windowGrowth = last.windows - warm.windows;
  // 256 KiB over 18,000 ticks is 15 bytes a tick: well below any per-tick leak worth the name.
  const bool flat = rssGrowth <= 512 && dataGrowth <= 256 && handleGrowth <= 2 && windowGrowth == 0;
  const int fromRound = (m_samples.size() > 1 ? m_samples[1] : m_samples.front()).round;
  const long ticksSince = m_plan.ticks * (m_samples.back().round - fromRound) / kRounds;
  std::printf("growth from round %d to round %d: VmRSS %+ld KiB, VmData %+ld KiB (%+.0f bytes per tick sent), handles %+ld,"
              " windows %+ld: %s\n",
              fromRound, m_samples.back().round, rssGrowth, dataGrowth,
              ticksSince ? 1024.0 * static_cast<double>(dataGrowth) / static_cast<double>(ticksSince) : 0.0,
              handleGrowth, windowGrowth, flat ? "flat" : "GROWING");
  std::printf("steps whose effect did not come: %ld; program %s\n", m_done.failures,
              !running ? "ENDED DURING THE RUN" : closed ? "closed normally (exit code 0)" : "DID NOT CLOSE NORMALLY");
  const bool good = closed && m_done.failures == 0 && flat && stops == wantStops && inits == wantInits;
  std::printf("soak: %s\n", good ? "passed" : "FAILED");
  return good ? 0 : 1;
}

}  // namespace
}  // namespace tarnel::test

int main(int argc, char** argv) {
  tarnel::test::Plan plan;
  long* const counts[] = {&plan.ticks, &plan.switches, &plan.unplugs, &plan.suspends, &plan.profiles, &plan.modeFlips};
  for (int i = 1; i < argc && i <= 6; ++i) *counts[i - 1] = std::strtol(argv[i], nullptr, 10);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  tarnel::test::Soak soak(plan);
  if (!soak.Start()) {
    std::printf("soak: the program, its adapter or its two profiles could not be set up\n");
    return 2;
  }
  soak.Run();
  return soak.Finish();
}
