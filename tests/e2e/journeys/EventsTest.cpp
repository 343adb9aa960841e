// The link's events as a user meets them: the icon's notices in the balloon (and none for what
// the user did), the choice to have none kept across a restart, the icon's way out while the
// adapter is away; and nvkctl watch printing a scripted walk as it happens, ended by a console control event.
#include <cctype>
#include <fstream>
#include <functional>

#include "ConsoleProgram.h"
#include "JsonValue.h"
#include "Journey.h"
#include "RegistryCleanup.h"
#include "TrayImage.h"
#include "adapter/NvApi.h"

namespace tarnel::test {
namespace {

using sim::NvCall;

constexpr char kSettingsKey[] = "Software\\Norvik\\WLAN Utility";
constexpr char kLost[] = "The connection to tarnel-lab was lost.";
constexpr char kConnected[] = "Connected to tarnel-lab on channel ";
constexpr char kRemoved[] = "The wireless adapter was removed.";
constexpr DWORD kNoticeWait = 9000;  // 3 s for a loss, up to 5 s behind the notice before
constexpr DWORD kQuietWatch = 5500;  // longer than the wait of a held-back notice

class Events : public Journey {
 protected:
  void BeforeLaunch() override {
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    Sim().SetSignal(72, 80);
  }
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey); }

  // The balloon's text once it contains wanted; what it showed last otherwise.
  static std::string AwaitBalloon(const std::string& wanted, DWORD limitMs = kNoticeWait) {
    std::string seen;
    WaitFor([&] { return (seen = ShownTipText(true)).find(wanted) != std::string::npos; }, limitMs);
    return seen;
  }
  // True when no balloon containing unwanted came up for forMs.
  static bool NoBalloon(const std::string& unwanted, DWORD forMs = kQuietWatch) {
    return WaitFor([&] { return ShownTipText(true).find(unwanted) != std::string::npos; }, forMs) < 0;
  }
  void SetLinked(bool linked) { Sim().SetLinkState(linked ? NV_LINK_ASSOCIATED : NV_LINK_NOT_ASSOCIATED); }
  DWORD StoredShowNotices() {
    DWORD value = 0xFF, size = sizeof(value);
    ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "ShowNotices", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  }
  bool Linked() {
    const std::string lab = LinkStatus("Associated", "tarnel-lab");
    return AwaitText(Page(PageKind::LinkInfo), IDC_STATUS, lab) == lab;
  }
};

TEST_F(Events, NoticesTellWhatTheUserDidNotDoAndTheAwayIconStillEndsTheProgram) {
  ASSERT_TRUE(Linked());
  EXPECT_TRUE(NoBalloon("Connected", 1500)) << "not for the link already up at start";

  SetLinked(false);
  EXPECT_EQ(kLost, AwaitBalloon(kLost));
  SaveShot("notice-connection-lost", nullptr);
  SetLinked(true);
  const std::string connected = AwaitBalloon(kConnected);
  EXPECT_EQ(0u, connected.find(kConnected)) << connected;
  EXPECT_NE(std::string::npos, connected.find(", signal 72%.")) << connected;
  SaveShot("notice-connected", nullptr);

  // Pointing at the icon (the window out of its way): the title and the link in its tooltip.
  ::ShowWindow(Main(), SW_HIDE);
  ASSERT_TRUE(PointAtTrayIcon());
  std::string tip;
  WaitFor([&] { return !(tip = ShownTipText(false)).empty(); }, 3000);
  EXPECT_EQ("IEEE 802.11b WLAN Cardbus Utility\ntarnel-lab, signal 72%, quality 80%", tip);
  SaveShot("tooltip", nullptr);
  ::SetCursorPos(900, 600);
  ::ShowWindow(Main(), SW_SHOWNA);

  // The radio off from the icon: the link goes, and no notice says so.
  SendMenuCommand(Main(), ID_TRAY_RADIO);
  EXPECT_TRUE(NoBalloon(kLost)) << "the user switched the radio off";
  SendMenuCommand(Main(), ID_TRAY_RADIO);
  ASSERT_TRUE(Linked());

  // Notices off: kept for the user, and still off after a restart.
  SendMenuCommand(Main(), ID_TRAY_NOTICES);
  EXPECT_EQ(0u, StoredShowNotices());
  ASSERT_TRUE(session.Close());
  ASSERT_TRUE(session.Launch());
  ASSERT_TRUE(Linked());
  SetLinked(false);
  EXPECT_TRUE(NoBalloon(kLost)) << "Show Notices is off";
  SetLinked(true);
  ASSERT_TRUE(Linked());
  SendMenuCommand(Main(), ID_TRAY_NOTICES);
  EXPECT_EQ(1u, StoredShowNotices());

  // The card taken out: a notice, and the icon's menu offers the way out.
  Sim().ResetCounters();
  Sim().SetUnplugged(true);
  EXPECT_EQ(kRemoved, AwaitBalloon(kRemoved));
  EXPECT_EQ(1u, Count(NvCall::NV_Stop));
  PostTrayMouse(Main(), WM_RBUTTONUP);
  EXPECT_GE(WaitFor([] { HWND m = ::FindWindowA("#32768", nullptr); return m && ::IsWindowVisible(m); }, 2000), 0)
      << "the away icon answers a right-click with its menu";
  SaveShot("tray-menu-adapter-away", nullptr);
  EXPECT_TRUE(CloseOpenMenu());
  SendMenuCommand(Main(), ID_TRAY_EXIT);
  ASSERT_TRUE(session.App().WaitForExit(5000)) << "its Exit ends the program";
  EXPECT_EQ(0u, session.App().ExitCode());
  EXPECT_EQ(1u, Count(NvCall::NV_Stop)) << "the library stopped once, at the unplug";
}

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(out.substr(at, end - at - (end > at && out[end - 1] == '\r' ? 1 : 0)));
  return lines;
}

// "2026-12-09T10:15:02.415"
bool IsTimestamp(const std::string& t) {
  if (t.size() != 23) return false;
  for (size_t i = 0; i < t.size(); ++i) {
    const char want = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : i == 19 ? '.' : '0';
    if (want == '0' ? !isdigit(static_cast<unsigned char>(t[i])) : t[i] != want) return false;
  }
  return true;
}

TEST_F(Events, WatchPrintsAScriptedWalkAsItHappensInBothFormsAndEndsOnCtrlC) {
  const std::vector<std::string> walk = {"state",     "connected", "lost",     "connected",
                                         "lost",      "radio-off", "radio-on", "connected", "lost", "adapter-gone"};
  for (bool json : {false, true}) {
    SetLinked(false);
    Sim().SetUnplugged(false);
    RunningConsoleProgram watch("nvkctl.exe", json ? std::vector<std::string>{"watch", "--json"}
                                                   : std::vector<std::string>{"watch"});
    ASSERT_TRUE(watch.Started());
    const auto lines = [&] { return Lines(watch.Out()).size(); };
    const auto step = [&](size_t count, const std::function<void()>& change) {
      if (change) change();
      EXPECT_GE(WaitFor([&] { return lines() >= count; }, 6000), 0) << "line " << count << " came at once";
    };
    step(1, nullptr);
    step(2, [&] { SetLinked(true); });
    step(3, [&] { SetLinked(false); });  // after 3 s
    step(4, [&] { SetLinked(true); });
    step(6, [&] { Sim().SetRadioOff(true); });
    step(8, [&] { Sim().SetRadioOff(false); });
    step(10, [&] { Sim().SetUnplugged(true); });
    ::Sleep(700);  // the utility lets go of the adapter too
    const uint32_t stops = Count(NvCall::NV_Stop);
    ASSERT_TRUE(watch.Interrupt());
    EXPECT_EQ(0u, watch.WaitForExit(5000)) << "a console control event ends it with exit 0";
    EXPECT_EQ(stops + 1, Count(NvCall::NV_Stop)) << "and NV_Stop once";

    const std::string out = watch.Out();
    std::vector<std::string> names;
    for (const std::string& line : Lines(out)) {
      if (!json) {
        EXPECT_TRUE(IsTimestamp(line.substr(0, line.find(' ')))) << line;
        const size_t name = line.find(' ') + 1;
        names.push_back(line.substr(name, line.find(' ', name) - name));
        continue;
      }
      JsonValue value;
      ASSERT_TRUE(ParseJson(line, &value)) << line;
      EXPECT_TRUE(IsTimestamp(value["time"].text)) << line;
      names.push_back(value["event"].text);
      if (value["event"].text == "connected") {
        EXPECT_EQ("tarnel-lab", value["ssid"].text);
        EXPECT_EQ(Bssid("tarnel-lab"), value["bssid"].text);
        EXPECT_EQ(72, value["signal"].number);
        EXPECT_EQ(80, value["quality"].number);
      }
    }
    EXPECT_EQ(walk, names) << out;
    if (!json) {
      EXPECT_NE(std::string::npos, out.find(" connected ssid=\"tarnel-lab\" bssid=" + Bssid("tarnel-lab") + " channel="))
          << out;
    } else if (!ShotsFolder().empty()) {
      std::ofstream(ShotsFolder() + "\\watch.txt", std::ios::binary) << out;
    }
  }
  Sim().SetUnplugged(false);

  // Ended by a count (samples counting too) or by time.
  const ConsoleRun counted = RunConsoleProgram("nvkctl.exe", {"watch", "--samples", "--count", "3"}, 10000);
  EXPECT_EQ(0u, counted.exitCode);
  const std::vector<std::string> three = Lines(counted.out);
  ASSERT_EQ(3u, three.size()) << counted.out;
  EXPECT_NE(std::string::npos, three[1].find(" sample signal=72 quality=80")) << three[1];
  const DWORD start = ::GetTickCount();
  EXPECT_EQ(0u, RunConsoleProgram("nvkctl.exe", {"watch", "--seconds", "1"}, 10000).exitCode);
  EXPECT_LT(::GetTickCount() - start, 5000u);

  // Another profile made current, here by nvkctl itself: its name and network.
  RunningConsoleProgram watch("nvkctl.exe", {"watch", "--json"});
  ASSERT_GE(WaitFor([&] { return !watch.Out().empty(); }, 3000), 0);
  ASSERT_EQ(0u, RunConsoleProgram("nvkctl.exe", {"profile", "set", "Harbour", "--ssid", "Harbour-Office"}).exitCode);
  ASSERT_EQ(0u, RunConsoleProgram("nvkctl.exe", {"profile", "use", "Harbour"}).exitCode);
  std::string profile;
  WaitFor([&] { return (profile = watch.Out()).find("\"event\":\"profile\"") != std::string::npos; }, 3000);
  EXPECT_NE(std::string::npos, profile.find("\"event\":\"profile\",\"name\":\"Harbour\",\"ssid\":\"Harbour-Office\""))
      << profile;
  ASSERT_TRUE(watch.Interrupt());
  EXPECT_EQ(0u, watch.WaitForExit(5000));
}

}  // namespace
}  // namespace tarnel::test
