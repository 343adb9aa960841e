// The package as an administrator deploys it, on a system with the adapter's driver package (its
// libraries in the system folder, none beside the utility): silent install, the utility started
// the way its user starts it, removal while it runs, an upgrade over a running older version,
// and the packages that must be refused. tests/install/installer-tests.sh runs it in fresh
// prefixes reporting Windows XP (autostart: the Run value, run here by Wine's session start as
// by a logon) and Windows 10 (a logon task, which Wine stores but never runs: the utility is
// started from its Start-menu shortcut's target there), and names the packages in TARNEL_*.
#include <windows.h>
#include <msi.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AppProcess.h"
#include "E2eControls.h"
#include "E2eSession.h"
#include "E2eShots.h"
#include "framework/RegKey.h"
#include "profiles/ProfileStore.h"
#include "resource.h"
#include "setup/ComPtr.h"

namespace tarnel::test {
namespace {

using sim::NvCall;
constexpr char kName[] = "IEEE 802.11b WLAN Cardbus Utility";  // shortcut, entry, autostart

std::string Env(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }
std::vector<std::string> EnvList(const char* name) {
  std::vector<std::string> items;
  std::istringstream list(Env(name));
  for (std::string item; std::getline(list, item, ';');) items.push_back(item);
  return items;
}

DWORD Msiexec(const char* action, const std::string& package, const char* ui = "/qn") {
  return RunToEnd("msiexec.exe", std::string(action) + " \"" + package + "\" " + ui);
}

bool IsWow64() {
  BOOL wow64 = FALSE;
  return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

std::string Folder(int csidl) {
  char path[MAX_PATH] = {0};
  return SUCCEEDED(::SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? std::string(path) + "\\" : "";
}
std::string InstallFolder() { return Folder(CSIDL_PROGRAM_FILES) + "Norvik\\WLAN Utility\\"; }

std::string Text(HKEY key, const char* name) {
  char value[1024] = {0};
  DWORD size = sizeof(value) - 1;
  return ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS
             ? value
             : "";
}

std::string FileText(const std::string& path) {  // Windows stores tasks in UTF-16, Wine in UTF-8
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()), text;
  if (bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
  for (size_t i = 2; i < bytes.size(); i += 2) text += bytes[i];
  return text;
}

std::string FileVersion(const std::string& path) {
  DWORD ignored = 0;
  std::vector<BYTE> data(::GetFileVersionInfoSizeA(path.c_str(), &ignored) + 1);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT size = 0;
  if (!::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
      !::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &size))
    return "";
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS));
}

struct Entry {
  std::string publisher, version;
  bool icon;  // the product's icon, as the installer registered and kept it
};

// What the package leaves, read the way an administrator would look for it.
struct Footprint {
  std::vector<std::string> files;  // in the install folder
  bool makerFolder = false;        // "Norvik" above it
  std::vector<std::string> shortcuts;
  std::string target, workFolder;  // of the first shortcut
  std::vector<Entry> entries;      // Add/Remove Programs entries with the product's name, every view
  std::string runValue, task;
  std::string exeVersion;

  Footprint() {
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(InstallFolder(), error))
      files.push_back(file.path().filename().string());
    makerFolder = std::filesystem::exists(Folder(CSIDL_PROGRAM_FILES) + "Norvik", error);
    for (int menu : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS})
      if (std::filesystem::exists(Folder(menu) + kName + ".lnk", error)) shortcuts.push_back(Folder(menu) + kName + ".lnk");
    if (!shortcuts.empty()) ReadShortcut(shortcuts.front());
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
      if (view == KEY_WOW64_32KEY || IsWow64()) ReadEntries(view);
    runValue = Text(RegKey::Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", KEY_READ).Get(), kName);
    char windows[MAX_PATH] = {0};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    task = FileText(std::string(windows) + (IsWow64() ? "\\sysnative" : "\\system32") + "\\tasks\\" + kName);
    exeVersion = FileVersion(InstallFolder() + "Tarnel_UI.exe");
  }

  void ReadShortcut(const std::string& path) {
    setup::ComPtr<IShellLinkA> link;
    setup::ComPtr<IPersistFile> file;
    char text[MAX_PATH] = {0};
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
        FAILED(file->Load(std::wstring(path.begin(), path.end()).c_str(), STGM_READ)))
      return;
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) target = text;
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) workFolder = text;
    if (!workFolder.empty() && workFolder.back() != '\\') workFolder += '\\';
  }

  void ReadEntries(REGSAM view) {
    const RegKey all = RegKey::Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", KEY_READ | view);
    char code[256];
    for (DWORD i = 0, size = sizeof(code); all.IsOpen() && ::RegEnumKeyExA(all.Get(), i, code, &size, nullptr, nullptr,
                                                                          nullptr, nullptr) == ERROR_SUCCESS;
         size = sizeof(code), ++i) {
      const RegKey product = RegKey::Open(all.Get(), code, KEY_READ | view);
      if (Text(product.Get(), "DisplayName") != kName) continue;
      char icon[MAX_PATH] = {0};
      DWORD iconSize = MAX_PATH;
      const bool cached = ::MsiGetProductInfoA(code, INSTALLPROPERTY_PRODUCTICON, icon, &iconSize) == ERROR_SUCCESS &&
                          std::filesystem::exists(icon);
      entries.push_back({Text(product.Get(), "Publisher"), Text(product.Get(), "DisplayVersion"), cached});
    }
  }
};

// Starts msiexec with its window and answers the message box it shows; its text and exit code.
std::pair<std::string, DWORD> RefusalShown(const std::string& package) {
  AppProcess installer("msiexec.exe", "/i \"" + package + "\" /qb");
  std::pair<std::string, DWORD> shown;
  if (!installer.Start()) return shown;
  WaitFor(
      [&] {
        for (HWND box = ::FindWindowA("#32770", nullptr); box; box = ::FindWindowExA(nullptr, box, "#32770", nullptr)) {
          DWORD owner = 0;
          ::GetWindowThreadProcessId(box, &owner);
          if (owner != installer.Id() || !::GetDlgItem(box, 0xFFFF)) continue;  // a message box's text
          shown.first = ControlText(box, 0xFFFF);
          ::PostMessageA(box, WM_COMMAND, IDOK, 0);
          return true;
        }
        return false;
      },
      30000);
  installer.WaitForExit(30000);
  shown.second = installer.ExitCode();
  return shown;
}

class Installer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ::CoInitialize(nullptr); }  // shortcuts are read through COM
  static void TearDownTestSuite() { ::CoUninitialize(); }

  void SetUp() override {
    ASSERT_FALSE(current.empty() || older.empty() || sameVersion.empty() || autostart.empty())
        << "started by tests/install/installer-tests.sh, which names the packages";
    ASSERT_TRUE(session.Prepare()) << "simulated adapter and its device";
  }
  void TearDown() override {  // whatever a failed check left installed
    Msiexec("/x", current);
    Msiexec("/x", older);
  }

  void ExpectInstalled(const std::string& wantedVersion) {
    const Footprint f;
    const std::string exe = InstallFolder() + "Tarnel_UI.exe";
    for (const char* name : {"Tarnel_UI.exe", "nvkctl.exe", "Tarnel_Setup.exe"})
      EXPECT_EQ(1, std::count(f.files.begin(), f.files.end(), name)) << name << " in " << InstallFolder();
    for (const char* name : {"NvkLib.dll", "CMSetup.dll", "nvksim.exe"})
      EXPECT_EQ(0, std::count(f.files.begin(), f.files.end(), name)) << name << " never ships";
    EXPECT_EQ(wantedVersion, f.exeVersion) << "the installed utility's own version";
    ASSERT_EQ(1u, f.shortcuts.size()) << "one Start-menu shortcut";
    EXPECT_EQ(exe, f.target);
    EXPECT_EQ(InstallFolder(), f.workFolder);
    ASSERT_EQ(1u, f.entries.size()) << "one Add/Remove Programs entry";
    EXPECT_EQ("Norvik", f.entries[0].publisher);
    EXPECT_EQ(wantedVersion, f.entries[0].version);
    EXPECT_TRUE(f.entries[0].icon);
    if (autostart == "run") {
      EXPECT_EQ("\"" + exe + "\"", f.runValue);
      EXPECT_EQ("", f.task);
    } else {
      EXPECT_EQ("", f.runValue) << "an elevated program under Run does not start here";
      // Wine keeps only the parts of a task definition it understands: these show ours arrived.
      for (const char* part : {">Starts the IEEE 802.11b WLAN Cardbus Utility at logon.<",
                               "<DisallowStartIfOnBatteries>false<", "<Priority>4<"})
        EXPECT_NE(std::string::npos, f.task.find(part)) << part << " in " << f.task;
    }
  }

  void ExpectGone() {
    const Footprint f;
    EXPECT_TRUE(f.files.empty()) << f.files.size() << " files left";
    EXPECT_FALSE(f.makerFolder) << "the maker's folder goes when empty";
    EXPECT_TRUE(f.shortcuts.empty());
    EXPECT_TRUE(f.entries.empty());
    EXPECT_EQ("", f.runValue);
    EXPECT_EQ("", f.task);
  }

  // The installed utility started as its user starts it, once its link page shows the link.
  std::unique_ptr<AppProcess> StartInstalled(HWND* main) {
    const Footprint f;
    auto app = std::make_unique<AppProcess>(f.target);
    app->SetWorkFolder(f.workFolder);
    *main = nullptr;
    if (autostart == "run") {
      RunToEnd("wineboot.exe", "");  // Wine's session start runs the machine's Run entries
      if (!app->Attach()) return app;
    } else if (!app->Start()) {
      return app;
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

  const std::string current = Env("TARNEL_MSI"), older = Env("TARNEL_MSI_OLDER");
  const std::string sameVersion = Env("TARNEL_MSI_SAME");  // another build of the current version
  const std::string version = Env("TARNEL_VERSION"), olderVersion = Env("TARNEL_VERSION_OLDER");
  const std::string autostart = Env("TARNEL_AUTOSTART");  // "run" or "task"
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
  for (const std::string& damaged : EnvList("TARNEL_MSI_DAMAGED")) {  // truncated, header zeroed
    SCOPED_TRACE(damaged);
    const DWORD result = Msiexec("/i", damaged);
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

  // The same version (another build), an older one, an older one with a damaged cabinet.
  for (const std::string& package : {sameVersion, older, Env("TARNEL_MSI_OLDER_DAMAGED")}) {
    SCOPED_TRACE(package);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_FAILURE), Msiexec("/i", package));
    ExpectInstalled(version);
  }
  const auto refusal = RefusalShown(older);
  EXPECT_NE(std::string::npos, refusal.first.find("already installed in this version or a newer one")) << refusal.first;
  EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_FAILURE), refusal.second);
  ExpectInstalled(version);

  ASSERT_EQ(0u, Msiexec("/x", current));
  ExpectGone();
  EXPECT_TRUE(session.Stored().HasProfile("Harbour"));
}

}  // namespace
}  // namespace tarnel::test
