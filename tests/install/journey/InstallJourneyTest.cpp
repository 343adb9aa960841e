// The package as an administrator deploys it, on a system that has the adapter's driver package
// (its libraries in the system folder, none beside the utility): silent install, the utility
// started the way its user starts it, removal while it runs, an upgrade over a running older
// version, and the packages that must be refused. The installer tests (scripts/run-tests) run
// it in fresh prefixes, one reporting Windows XP (autostart: the Run value, started here by
// Wine's session start as a logon would) and one Windows 10 (a logon task, which Wine stores but
// never runs: the utility is started from its Start-menu shortcut's target there).
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "AppProcess.h"
#include "E2eControls.h"
#include "E2eSession.h"
#include "E2eShots.h"
#include "Footprint.h"
#include "profiles/ProfileStore.h"
#include "resource.h"

namespace tarnel::test {
namespace {

using sim::NvCall;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

DWORD Msiexec(const char* action, const std::string& package, const char* ui = "/qn") {
  return RunToEnd("msiexec.exe", std::string(action) + " \"" + package + "\" " + ui);
}

std::string SystemFolder() {
  char folder[MAX_PATH] = {0};
  return std::string(folder, ::GetSystemDirectoryA(folder, MAX_PATH)) + "\\";
}

// The driver package's libraries where its installer puts them: the system folder.
class DriverPackage {
 public:
  DriverPackage() {
    for (const char* name : kNames)
      m_placed = ::CopyFileA((ProgramFolder() + name).c_str(), (SystemFolder() + name).c_str(), FALSE) && m_placed;
  }
  ~DriverPackage() {
    for (const char* name : kNames) ::DeleteFileA((SystemFolder() + name).c_str());
  }
  DriverPackage(const DriverPackage&) = delete;
  DriverPackage& operator=(const DriverPackage&) = delete;
  bool Placed() const { return m_placed; }

 private:
  static constexpr const char* kNames[] = {"NvkLib.dll", "CMSetup.dll"};
  bool m_placed = true;
};

// A damaged copy of a package, removed at scope exit.
class DamagedCopy {
 public:
  enum Damage { Truncated, HeaderZeroed, MiddleScrambled };
  DamagedCopy(const std::string& package, Damage damage) {
    char temp[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + "tarnel-damaged-" + std::to_string(damage) + ".msi";
    std::ifstream in(package, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (damage == Truncated) bytes.resize(bytes.size() / 2);
    if (damage == HeaderZeroed) bytes.replace(0, 512, 512, '\0');
    if (damage == MiddleScrambled)  // the embedded cabinet takes most of the file
      for (size_t i = bytes.size() / 3; i < bytes.size() * 2 / 3; i += 7) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    std::ofstream(m_path, std::ios::binary) << bytes;
  }
  ~DamagedCopy() { ::DeleteFileA(m_path.c_str()); }
  DamagedCopy(const DamagedCopy&) = delete;
  DamagedCopy& operator=(const DamagedCopy&) = delete;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// What the installer's window says when it refuses a package, and how it ended.
struct Refusal {
  std::string text;
  DWORD exitCode = 0;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  char className[16] = {0};
  ::GetClassNameA(window, className, sizeof(className));
  if (owner == search->first && ::IsWindowVisible(window) && std::string(className) == "#32770" &&
      ::GetDlgItem(window, 0xFFFF)) {  // a message box's text
    search->second = window;
    return FALSE;
  }
  return TRUE;
}

Refusal RefusalShown(const std::string& package) {
  AppProcess installer("msiexec.exe", "/i \"" + package + "\" /qb");
  Refusal refusal;
  if (!installer.Start()) return refusal;
  WaitFor(
      [&] {
        std::pair<DWORD, HWND> search(installer.Id(), nullptr);
        ::EnumWindows(&FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (!search.second) return false;
        refusal.text = ControlText(search.second, 0xFFFF);
        ::PostMessageA(search.second, WM_COMMAND, IDOK, 0);
        return true;
      },
      30000);
  installer.WaitForExit(30000);
  refusal.exitCode = installer.ExitCode();
  return refusal;
}

class Installer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ::CoInitialize(nullptr); }  // shortcuts are read through COM
  static void TearDownTestSuite() { ::CoUninitialize(); }

  void SetUp() override {
    ASSERT_FALSE(current.empty() || older.empty() || sameVersion.empty() || version.empty() ||
                 olderVersion.empty() || autostart.empty())
        << "started by the installer tests (scripts/run-tests), which name the packages";
    ASSERT_TRUE(driver.Placed()) << "the driver package's libraries in " << SystemFolder();
    ASSERT_TRUE(session.Prepare()) << "simulated adapter and its device";
  }
  void TearDown() override {  // whatever a failed check left installed
    Msiexec("/x", current);
    Msiexec("/x", older);
  }

  void ExpectInstalled(const std::string& wantedVersion) {
    const Footprint f = Footprint::Read();
    const std::string exe = InstallFolder() + "Tarnel_UI.exe";
    for (const char* name : {"Tarnel_UI.exe", "Tarnel_Setup.exe"})
      EXPECT_EQ(1, std::count(f.files.begin(), f.files.end(), name)) << name << " in " << InstallFolder();
    for (const char* name : {"NvkLib.dll", "CMSetup.dll", "nvksim.exe"})
      EXPECT_EQ(0, std::count(f.files.begin(), f.files.end(), name)) << name << " never ships";
    EXPECT_EQ(wantedVersion, f.exeVersion) << "the installed utility's own version";
    ASSERT_EQ(1u, f.shortcuts.size()) << "one Start-menu shortcut";
    EXPECT_EQ(exe, f.shortcutTarget);
    EXPECT_EQ(InstallFolder(), f.shortcutFolder.back() == '\\' ? f.shortcutFolder : f.shortcutFolder + "\\");
    ASSERT_EQ(1u, f.entries.size()) << "one Add/Remove Programs entry";
    EXPECT_EQ("Norvik", f.entries[0].publisher);
    EXPECT_EQ(wantedVersion, f.entries[0].version);
    EXPECT_TRUE(f.entries[0].iconCached) << "the entry's icon";
    if (autostart == "run") {
      EXPECT_EQ("\"" + exe + "\"", f.runValue) << "the machine's Run value";
      EXPECT_EQ("", f.task) << "no task on this system";
    } else {
      EXPECT_EQ("", f.runValue) << "an elevated program under Run does not start here";
      // Wine keeps only the parts of a definition it understands: these show that ours arrived.
      EXPECT_NE(std::string::npos, f.task.find("Starts the IEEE 802.11b WLAN Cardbus Utility at logon.")) << f.task;
      EXPECT_NE(std::string::npos, f.task.find("<DisallowStartIfOnBatteries>false<")) << f.task;
      EXPECT_NE(std::string::npos, f.task.find("<Priority>4<")) << f.task;
    }
  }

  void ExpectGone() {
    const Footprint f = Footprint::Read();
    EXPECT_TRUE(f.files.empty()) << f.files.size() << " files left, the first " << f.files.front();
    EXPECT_FALSE(f.makerFolder) << "the maker's folder goes when empty";
    EXPECT_TRUE(f.shortcuts.empty()) << f.shortcuts.front();
    EXPECT_TRUE(f.entries.empty()) << "an Add/Remove Programs entry is left";
    EXPECT_EQ("", f.runValue);
    EXPECT_EQ("", f.task);
  }

  // The installed utility, started as its user starts it, with its window once the link shows.
  std::unique_ptr<AppProcess> StartInstalled(HWND* main) {
    const Footprint f = Footprint::Read();
    auto app = std::make_unique<AppProcess>(f.shortcutTarget);
    *main = nullptr;
    if (autostart == "run") {
      RunToEnd("wineboot.exe", "");  // Wine's session start runs the machine's Run entries
      if (!app->Attach()) return app;
    } else {
      app->SetWorkFolder(f.shortcutFolder);
      if (!app->Start()) return app;
    }
    *main = app->WaitForMainWindow();
    HWND link = FindPage(*main, PageKind::LinkInfo);
    EXPECT_GE(WaitFor([&] { return ControlText(link, IDC_STATUS).rfind("Associated --- ", 0) == 0; }, 5000), 0)
        << "the link shows: " << ControlText(link, IDC_STATUS);
    EXPECT_EQ("tarnel-lab", ControlText(link, IDC_SSID));
    return app;
  }

  void KeepAProfile() {
    AddToProfileList("Harbour");
    SaveProfileSettings("Harbour", "harbour-net", 1, 6, 0, 0);
    ASSERT_TRUE(session.Stored().HasProfile("Harbour"));
  }

  uint32_t Count(NvCall call) { return session.Sim().CallCount(call); }

  const std::string current = Env("TARNEL_MSI"), older = Env("TARNEL_MSI_OLDER"),
                    sameVersion = Env("TARNEL_MSI_SAME");  // another build of the current version
  const std::string version = Env("TARNEL_VERSION"), olderVersion = Env("TARNEL_VERSION_OLDER");
  const std::string autostart = Env("TARNEL_AUTOSTART");  // "run" or "task"
  DriverPackage driver;
  E2eSession session;
};

TEST_F(Installer, SilentInstallRunsTheUtilityAndRemovalWhileItRunsEndsItGentlyKeepingProfiles) {
  ExpectGone();
  ASSERT_EQ(0u, Msiexec("/i", current));
  ExpectInstalled(version);
  KeepAProfile();

  HWND main = nullptr;
  const auto app = StartInstalled(&main);
  ASSERT_TRUE(main) << "the installed utility's window";
  SaveShot("installed-" + autostart, main);
  EXPECT_EQ(1u, Count(NvCall::NV_Initialize));

  ASSERT_EQ(0u, Msiexec("/x", current)) << "removed while the utility runs";
  EXPECT_TRUE(app->WaitForExit(2000)) << "the utility ended before the removal finished";
  EXPECT_EQ(0u, app->ExitCode()) << "closed, not killed";
  EXPECT_EQ(1u, Count(NvCall::NV_Stop)) << "the library stopped exactly once";
  EXPECT_EQ(0, TrayIconCount()) << "its tray icon went with it";
  ExpectGone();
  EXPECT_TRUE(session.Stored().HasProfile("Harbour")) << "profiles belong to the adapter and stay";
}

TEST_F(Installer, NewerVersionReplacesARunningOlderOneInPlaceAndDamagedSameOrOlderPackagesAreRefused) {
  ASSERT_EQ(0u, Msiexec("/i", older));
  ExpectInstalled(olderVersion);
  KeepAProfile();

  // Damaged copies of the newer package cannot be opened: they fail, the installed copy stays.
  for (DamagedCopy::Damage damage : {DamagedCopy::Truncated, DamagedCopy::HeaderZeroed}) {
    SCOPED_TRACE("damage " + std::to_string(damage));
    const DamagedCopy bad(current, damage);
    const DWORD result = Msiexec("/i", bad.Path());
    EXPECT_TRUE(result != ERROR_SUCCESS && result != ERROR_SUCCESS_REBOOT_REQUIRED) << "exit code " << result;
    ExpectInstalled(olderVersion);
  }

  HWND main = nullptr;
  const auto app = StartInstalled(&main);
  ASSERT_TRUE(main) << "the older utility's window";
  ASSERT_EQ(0u, Msiexec("/i", current)) << "the newer version over the running older one";
  EXPECT_TRUE(app->WaitForExit(2000)) << "the older utility ended first";
  EXPECT_EQ(0u, app->ExitCode());
  EXPECT_EQ(1u, Count(NvCall::NV_Stop));
  ExpectInstalled(version);
  EXPECT_TRUE(session.Stored().HasProfile("Harbour"));

  // The same version (another build), an older one, or an older one with a damaged cabinet:
  // refused before anything is touched.
  const DamagedCopy olderDamaged(older, DamagedCopy::MiddleScrambled);
  for (const std::string& package : {sameVersion, older, olderDamaged.Path()}) {
    SCOPED_TRACE(package);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_FAILURE), Msiexec("/i", package));
    ExpectInstalled(version);
  }
  const Refusal refusal = RefusalShown(older);
  EXPECT_NE(std::string::npos, refusal.text.find("already installed in this version or a newer one")) << refusal.text;
  EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_FAILURE), refusal.exitCode) << "the refusal, acknowledged";
  ExpectInstalled(version);

  ASSERT_EQ(0u, Msiexec("/x", current));
  ExpectGone();
  EXPECT_TRUE(session.Stored().HasProfile("Harbour"));
}

}  // namespace
}  // namespace tarnel::test
