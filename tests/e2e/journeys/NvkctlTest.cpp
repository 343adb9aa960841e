// nvkctl.exe beside the running utility, over the simulated adapter: the same driver calls as the
// pages for a switch and a join, the adapter's state as JSON, each refusal with its exit code
// before anything is written or sent, and profile files that write all or nothing.
#include <windows.h>
#include <sddl.h>

#include "ConsoleProgram.h"
#include "E2eListView.h"
#include "JsonValue.h"
#include "Journey.h"
#include "RegistryCleanup.h"
#include "SimDefaults.h"

namespace tarnel::test {
namespace {

using Args = std::vector<std::string>;

// One run of nvkctl: the calls between its NV_Initialize and NV_Stop.
Calls Between(const Calls& calls) {
  if (calls.size() < 2 || calls.front() != "NV_Initialize(0)" || calls.back() != "NV_Stop()") return {"<no pair>"};
  return Calls(calls.begin() + 1, calls.end() - 1);
}

// The driver key with writing denied to everyone, as for a user without administrator rights;
// the old access comes back when it goes.
class WriteDenied {
 public:
  explicit WriteDenied(const std::string& path) : path_(path) { Apply("D:(D;;0x0006;;;WD)(A;;GA;;;WD)"); }
  ~WriteDenied() { Apply("D:(A;;GA;;;WD)"); }
  bool Applied() const { return applied_; }

 private:
  void Apply(const char* sddl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    HKEY key = nullptr;
    applied_ = ::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr) &&
               ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS &&
               ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    if (key) ::RegCloseKey(key);
    ::LocalFree(sd);
  }
  std::string path_;
  bool applied_ = false;
};

class Nvkctl : public Journey {
 protected:
  ConsoleRun Run(const Args& args) { return RunConsoleProgram("nvkctl.exe", args); }
  // A run that should succeed; its output.
  std::string Done(const Args& args) {
    const ConsoleRun run = Run(args);
    EXPECT_EQ(0u, run.exitCode) << args[0] << ": " << run.err;
    return run.out;
  }
  JsonValue Json(const Args& args) {
    JsonValue value;
    const std::string out = Done(args);
    EXPECT_TRUE(ParseJson(out, &value)) << out;
    return value;
  }
  // A refused run: its code, one line on standard error, and no setting sent.
  void ExpectRefused(const Args& args, DWORD code, const std::string& said) {
    Sim().ClearLog();
    const ConsoleRun run = Run(args);
    EXPECT_EQ(code, run.exitCode) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    EXPECT_EQ(0u, run.err.find("nvkctl: ")) << run.err;
    EXPECT_NE(std::string::npos, run.err.find(said)) << run.err;
    EXPECT_EQ(run.err.size() - 1, run.err.find('\n')) << "one line: " << run.err;
    for (const std::string& call : SettingCalls())
      EXPECT_TRUE(call.rfind("NV_Set", 0) != 0 && call != "NV_Rescan()") << args[0] << " sent " << call;
  }
  void AddProfiles() {
    Done({"profile", "set", "Home", "--ssid", "tarnel-lab", "--channel", "6", "--encryption", "64-bit ascii", "--key1",
          "home1", "--default-key", "1"});
    Done({"profile", "set", "Office", "--ssid", "Harbour-Office", "--channel", "1", "--rate", "5.5 Mbps", "--auto", "on",
          "--priority", "-5"});
  }
};

TEST_F(Nvkctl, ProfileUseAndJoinSendWhatThePagesSend) {
  AddProfiles();
  EXPECT_EQ((std::vector<std::string>{"Home", "Office"}), Stored().Listed());
  EXPECT_EQ("<missing>", Stored().Current()) << "profile set leaves the current profile alone";
  EXPECT_EQ("home1", Stored().Text("Home", "KEY1"));
  EXPECT_EQ(1, Stored().Number("Office", "AUTOCONNECT"));
  EXPECT_EQ(-5, Stored().Number("Office", "PRIORITY"));
  EXPECT_EQ(0, Stored().Number("Home", "AUTOCONNECT"));
  const JsonValue listed = Json({"profile", "list", "--json"})["profiles"];
  ASSERT_EQ(2u, listed.items.size());
  EXPECT_EQ(JsonValue::kBool, listed[0]["auto"].kind);
  EXPECT_FALSE(listed[0]["auto"].boolean);
  EXPECT_EQ(0, listed[0]["priority"].number);
  EXPECT_TRUE(listed[1]["auto"].boolean);
  EXPECT_EQ(-5, listed[1]["priority"].number);
  const JsonValue office = Json({"profile", "show", "office", "--json"});
  EXPECT_TRUE(office["auto"].boolean);
  EXPECT_EQ(-5, office["priority"].number);
  EXPECT_NE(std::string::npos, Done({"profile", "show", "Office"}).find("Auto connect  on\r\nPriority      -5\r\n"));

  // Choosing Home in the Configuration page's list, then the same through nvkctl.
  HWND config = OpenSettingsPage(PageKind::Configuration);
  ASSERT_EQ((std::vector<std::string>{"Home", "Office"}), ListBoxEntries(config, IDC_PROFILE_LIST));
  Sim().ClearLog();
  ChooseListBoxEntry(config, IDC_PROFILE_LIST, 0);
  const Calls page = SettingCalls();
  ASSERT_EQ(14u, page.size()) << "seven network and seven encryption calls";
  Done({"profile", "use", "Office"});
  Sim().ClearLog();
  EXPECT_NE(std::string::npos, Done({"profile", "use", "home"}).find("profile Home is current"));
  EXPECT_EQ(page, Between(SettingCalls()));
  EXPECT_EQ("Home", Stored().Current());

  // A double-click on Harbour-Office's survey row, then a join of Cafe_Guest and one of Harbour-Office.
  Sim().ClearLog();
  HWND survey = ShowPage(PageKind::SiteSurvey);
  RemoteListView list(::GetDlgItem(survey, IDC_SURVEY_LIST));
  ASSERT_GE(WaitFor([&] { return list.RowCount() == 6; }, kSurveyWait), 0);
  const RECT row = list.RowBounds(1);
  list.PostDoubleClick({row.left + 60, (row.top + row.bottom) / 2});
  ASSERT_GE(WaitFor([&] { return SettingCalls().size() == 4; }, kSurveyWait), 0);
  const Calls joined = SettingCalls();
  EXPECT_EQ("NV_SiteSurvey()", joined[0]);
  Done({"join", "Cafe_Guest"});
  Sim().ClearLog();
  Done({"join", "Harbour-Office"});
  EXPECT_EQ(joined, Between(SettingCalls()));
  EXPECT_EQ("Harbour-Office", Stored().Text("Home", "SSID")) << "stored in the current profile";
  const std::string status = LinkStatus("Associated", "Harbour-Office");
  EXPECT_EQ(status, AwaitText(Page(PageKind::LinkInfo), IDC_STATUS, status)) << "the utility shows the join";
}

TEST_F(Nvkctl, StatusAndScanReportTheAdapterAsDocumentedJson) {
  Sim().SetSignal(40, 55);
  const JsonValue status = Json({"status", "--json"});
  EXPECT_EQ("Associated", status["link"].text);
  EXPECT_EQ("tarnel-lab", status["ssid"].text);
  EXPECT_EQ(Bssid("tarnel-lab"), status["bssid"].text);
  EXPECT_EQ("Infrastructure", status["networkType"].text);
  EXPECT_EQ(6, status["channel"].number);
  EXPECT_EQ("11 Mbps", status["rate"].text);
  EXPECT_EQ(40, status["signal"].number);
  EXPECT_EQ(55, status["quality"].number);
  EXPECT_EQ("00:0A:FF:47:10:01", status["mac"].text);
  EXPECT_TRUE(status.Has("ip"));
  EXPECT_EQ("on", status["radio"].text);
  EXPECT_EQ("NVK4710 Driver 2.1.0.12", status["driverVersion"].text);
  EXPECT_EQ(JsonValue::kBool, status["systemManaged"].kind);
  EXPECT_FALSE(status["systemManaged"].boolean);

  Done({"radio", "off"});
  const JsonValue off = Json({"status", "--json"});
  EXPECT_EQ("Not Associated", off["link"].text);
  EXPECT_EQ(JsonValue::kNull, off["ssid"].kind) << "no link, no network";
  EXPECT_EQ("off", off["radio"].text);
  Done({"radio", "on"});

  Sim().AddNetwork(sim::MakeNetwork("late \"arrival\"", 0, 13, 12, true, true));
  const JsonValue networks = Json({"scan", "--json"})["networks"];
  ASSERT_EQ(7u, networks.items.size());
  EXPECT_EQ("tarnel-lab", networks[0]["ssid"].text);
  const JsonValue& late = networks[6];
  EXPECT_EQ("Ad Hoc", late["type"].text);
  EXPECT_EQ("late \"arrival\"", late["ssid"].text);
  EXPECT_EQ(Bssid("late \"arrival\""), late["bssid"].text);
  EXPECT_EQ(13, late["channel"].number);
  EXPECT_EQ(12, late["signal"].number);
  EXPECT_TRUE(late["wep"].boolean);
  EXPECT_EQ("1.0 M(Basic),2.0 M(Basic),", late["rates"].text);
  EXPECT_NE(std::string::npos, Done({"scan"}).find("Wireless Type   SSID")) << "the page's column headings";
}

TEST_F(Nvkctl, EachRefusalHasItsExitCodeAndSendsNothing) {
  AddProfiles();
  ExpectRefused({"profile"}, 1, "expected list, show, set, use or remove");
  ExpectRefused({"profile", "set", "Home", "--rate", "fast"}, 3, "--rate 'fast' is not one of");
  ExpectRefused({"profile", "use", "Nowhere"}, 3, "no profile named 'Nowhere'");
  ExpectRefused({"join", "far-away"}, 3, "'far-away' is not in range");

  Sim().SetXpConfig(true);
  ExpectRefused({"profile", "use", "Home"}, 4, "the system's own wireless configuration manages the adapter");
  ExpectRefused({"radio", "off"}, 4, "manages the adapter");
  EXPECT_NE(std::string::npos, Done({"profile", "list"}).find("Office")) << "reading still works";
  Sim().SetXpConfig(false);

  Sim().SetDevNodeProblem(22);
  ExpectRefused({"status"}, 2, "no working network device described as");
  Sim().SetDevNodeProblem(-1);
  Sim().SetInitializeAnswer(false);
  ExpectRefused({"scan"}, 2, "will not initialise");
  Sim().SetInitializeAnswer(true);
  EXPECT_EQ("<missing>", Stored().Current());
  EXPECT_EQ(1, Stored().Number("Office", "CHANNEL"));
}

TEST_F(Nvkctl, WithoutTheRightToWriteChangesStopFirstAndReadingWorks) {
  AddProfiles();
  const std::string file = TempFilePath("rights.txt");
  WriteFileBytes(file, Done({"export"}));
  {
    WriteDenied denied(session.DriverPath());
    ASSERT_TRUE(denied.Applied());
    for (const Args& change : {Args{"profile", "set", "Home", "--ssid", "x"}, Args{"profile", "use", "Home"},
                               Args{"profile", "remove", "Office"}, Args{"join", "meshroom"}, Args{"radio", "off"},
                               Args{"import", file, "--replace"}})
      ExpectRefused(change, 5, "needs administrator rights");
    const std::string listed = Done({"profile", "list"});
    EXPECT_NE(std::string::npos, listed.find("  Profile  Auto  Priority\r\n  Home     off   0\r\n  Office   on    -5\r\n"))
        << listed;
    EXPECT_NE(std::string::npos, Done({"profile", "show", "Office"}).find("Harbour-Office"));
    EXPECT_EQ(ReadFileBytes(file), Done({"export"}));
  }
  ::DeleteFileA(file.c_str());
  EXPECT_EQ("tarnel-lab", Stored().Text("Home", "SSID"));
  EXPECT_EQ((std::vector<std::string>{"Home", "Office"}), Stored().Listed());
  EXPECT_EQ("<missing>", Stored().Current());
}

TEST_F(Nvkctl, ImportWritesNothingFromABadFileAndRoundTripsOnAnEmptyRegistry) {
  AddProfiles();
  const std::string first = TempFilePath("first.txt"), second = TempFilePath("second.txt"), bad = TempFilePath("bad.txt");
  Done({"export", "--with-keys", "-o", first});
  const std::string exported = ReadFileBytes(first);
  ASSERT_NE(std::string::npos, exported.find("key1 = \"home1\""));
  ASSERT_NE(std::string::npos, exported.find("auto = on\r\npriority = -5\r\n"));

  // A new profile first, a bad value further down: nothing of the file is written.
  const std::string older = "nvkctl profiles 1\n[profile \"New\"]\nssid = \"n\"\nmode = Ad Hoc\nchannel = 3\nrate = Auto\n"
                            "power = Disable\nencryption = off\ndefault-key = 1\n[profile \"Office\"]\nssid = \"h\"\n"
                            "mode = Ad Hoc\nchannel = 3\nrate = Auto\npower = Disable\nencryption = off\ndefault-key = 1\n";
  WriteFileBytes(bad, older.substr(0, older.rfind("channel = 3")) + "channel = 99" + older.substr(older.rfind("channel = 3") + 11));
  ExpectRefused({"import", bad, "--replace"}, 3, "bad.txt: line 13: channel '99' is not in the adapter's channel plan");
  WriteFileBytes(bad, "nvkctl profiles 3\n" + older.substr(older.find('\n') + 1));
  ExpectRefused({"import", bad}, 3, "bad.txt: line 1: a profile file of version 3, later than this nvkctl reads");
  EXPECT_EQ((std::vector<std::string>{"Home", "Office"}), Stored().Listed());
  EXPECT_FALSE(Stored().HasProfile("New"));
  EXPECT_EQ("Harbour-Office", Stored().Text("Office", "SSID"));

  // Without --replace an existing profile stays as it is.
  Done({"profile", "set", "Office", "--ssid", "changed"});
  EXPECT_NE(std::string::npos, Done({"import", first}).find("kept Office"));
  EXPECT_EQ("changed", Stored().Text("Office", "SSID"));

  for (const char* key : {"ProfileList", "Home", "Office"}) DeleteKeyTree(HKEY_LOCAL_MACHINE, session.DriverPath() + "\\" + key);
  EXPECT_EQ(std::vector<std::string>{}, Stored().Listed());
  Done({"import", first});
  Done({"export", "--with-keys", "-o", second});
  EXPECT_EQ(exported, ReadFileBytes(second)) << "export, import on an empty registry, export: the same bytes";

  // A version 1 file still imports: what it replaces connects automatically no more.
  WriteFileBytes(bad, older);
  Done({"import", bad, "--replace"});
  EXPECT_EQ("h", Stored().Text("Office", "SSID"));
  EXPECT_EQ(0, Stored().Number("Office", "AUTOCONNECT"));
  EXPECT_EQ(0, Stored().Number("New", "PRIORITY"));
  for (const std::string& path : {first, second, bad}) ::DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace tarnel::test
