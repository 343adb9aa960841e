// The program on the system its prefix reports. On either family: its pages, a profile stored
// under that family's class root (and not the other's) and read back, the icon and its menu, and
// what a page's paint draws. On the 9x family: the device node's notices, an unplug and a replug
// of the adapter's own node and notices for another node that change nothing.
// tests/systems/system-tests.sh runs these in prefixes reporting Windows 98, ME, 2000 and XP.
#include <algorithm>

#include "AdapterDevice.h"
#include "Journey.h"
#include "TrayImage.h"
#include "framework/Gdi.h"
#include "framework/PlatformFamily.h"
#include "AppProcess.h"
#include "framework/RegKey.h"
#include "profiles/DriverKey.h"

namespace tarnel::test {
namespace {

using sim::NvCall;

constexpr char kOtherNode[] = "node=C0FFEE00";
constexpr COLORREF kMarker = RGB(255, 0, 255);  // no artwork uses it

bool KeyExists(HKEY root, const std::string& path) { return RegKey::Open(root, path.c_str(), KEY_READ).IsOpen(); }

COLORREF BackdropCorner() {
  GdiObject backdrop = LoadBitmapResource(IDB_BACKDROP);
  MemoryDC dc(nullptr);
  SelectGuard selected(dc.Get(), backdrop.Get());
  return ::GetPixel(dc.Get(), 0, 0);
}

class Systems : public Journey {
 protected:
  // The class root of the family the prefix does not report.
  static std::string OtherClassRoot() {
    return IsWin9xFamily() ? sim::kNtClassRoot : sim::k9xClassRoot;
  }
  std::string DriverKeyText() const {
    const std::string& path = session.DriverPath();
    return path.substr(std::string(ClassRoot()).size());
  }
  void AddProfile(HWND page, const std::string& name, const std::string& ssid) {
    SetControlText(page, IDC_SSID, ssid);
    SetControlText(page, IDC_PROFILE_NAME, name);
    Click(page, IDC_PROFILE_ADD);
  }
  void ChooseProfile(HWND page, const std::string& name) {
    const std::vector<std::string> names = ListBoxEntries(page, IDC_PROFILE_LIST);
    const auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(names.end(), at) << name << " listed";
    ChooseListBoxEntry(page, IDC_PROFILE_LIST, static_cast<int>(at - names.begin()));
  }
  // The link page polling again: it shows a signal it has not shown before.
  void ExpectLinkPageResumed(int signal) {
    EXPECT_TRUE(Shown());
    Sim().SetSignal(signal, 43);
    const std::string text = std::to_string(signal) + "%";
    EXPECT_EQ(text, AwaitText(Page(PageKind::LinkInfo), IDC_SIGNAL_PERCENT, text)) << "polling again";
  }
};

TEST_F(Systems, PagesAProfileUnderTheFamilysClassRootAndTheIconsMenu) {
  std::printf("[ system   ] GetVersion %08lX, %s family\n", static_cast<unsigned long>(::GetVersion()),
              IsWin9xFamily() ? "9x" : "NT");
  for (PageKind kind : {PageKind::Configuration, PageKind::Encryption, PageKind::SiteSurvey, PageKind::LinkInfo})
    ShowPage(kind);
  SaveShot("system-link-page", Main());

  HWND config = OpenSettingsPage(PageKind::Configuration);
  AddProfile(config, "Office", "Harbour");
  AddProfile(config, "Home", "tarnel-lab");
  EXPECT_EQ("Harbour", Stored().Text("Office", "SSID")) << "under " << session.DriverPath();
  EXPECT_EQ("tarnel-lab", Stored().Text("Home", "SSID"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, OtherClassRoot() + DriverKeyText())) << "nothing under the other root";

  // Choosing the first profile again reads it from the store and sends it.
  Sim().ClearLog();
  ChooseProfile(config, "Office");
  const Calls calls = SettingCalls();
  EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "NV_SetSSID(Harbour)")) << "read back and applied";
  EXPECT_EQ("Office", Stored().Current());

  EXPECT_NE(0u, ShownTrayImage()) << "the icon shows";
  ::SetCursorPos(900, 600);
  PostTrayMouse(Main(), WM_RBUTTONUP);
  EXPECT_GE(WaitFor([&] { return MenuOpen(); }, 2000), 0) << "the icon's menu opens";
  SaveShot("system-tray-menu", nullptr);
  EXPECT_TRUE(CloseOpenMenu());
}

// What a page's paint draws after its erase: the 9x family draws the backdrop again, the NT
// family nothing. A hook in the program fills the erased page with the marker in between.
TEST_F(Systems, APaintDrawsTheBackdropAgainOnlyOnThe9xFamily) {
  HWND page = ShowPage(PageKind::LinkInfo);
  HMODULE library = ::LoadLibraryA((ProgramFolder() + "PaintMarker.dll").c_str());
  ASSERT_TRUE(library);
  const auto hook = reinterpret_cast<HOOKPROC>(::GetProcAddress(library, "MarkAfterErase"));
  HHOOK installed = ::SetWindowsHookExA(WH_CALLWNDPROCRET, hook, library, ::GetWindowThreadProcessId(page, nullptr));
  ASSERT_TRUE(installed);
  // The window's own repaints settled first: the main window's erase covers its pages too.
  const auto painted = [&] { return !::GetUpdateRect(Main(), nullptr, FALSE) && !::GetUpdateRect(page, nullptr, FALSE); };
  WaitFor(painted, 2000);
  ::SetPropA(page, "TarnelPaintMarker", reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(kMarker)));
  ::RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  WaitFor(painted, 2000);
  // Read in the program once its paint has ended: the screen follows the window only when the
  // program next waits for messages, later on a busy machine.
  ::SendMessageA(page, ::RegisterWindowMessageA("TarnelPaintMarkerRead"), 0, 0);
  const auto seenProp = [&] { return reinterpret_cast<ULONG_PTR>(::GetPropA(page, "TarnelPaintMarkerSeen")); };
  WaitFor([&] { return seenProp() != 0; }, 2000);  // set after the reply
  const ULONG_PTR seen = seenProp();
  ::RemovePropA(page, "TarnelPaintMarker");
  ::RemovePropA(page, "TarnelPaintMarkerSeen");
  ::UnhookWindowsHookEx(installed);
  ::FreeLibrary(library);
  ASSERT_NE(0u, seen) << "the hook read the page";
  const COLORREF shown = static_cast<COLORREF>(seen & 0xFFFFFF);
  EXPECT_EQ(IsWin9xFamily() ? BackdropCorner() : kMarker, shown);
}

TEST_F(Systems, On9xTheAdaptersNodeIsUnpluggedAndReplugged) {
  if (!IsWin9xFamily()) GTEST_SKIP() << "the prefix reports the NT family";
  const std::string node = sim::DevNodeKeyPath(sim::kAdapterDevNode);
  ASSERT_TRUE(KeyExists(HKEY_DYN_DATA, node)) << "the adapter's device node";

  ASSERT_TRUE(Nvksim(std::string("notice query-remove ") + kOtherNode));
  EXPECT_TRUE(Shown()) << "another node's removal is not the adapter's";
  EXPECT_EQ(0u, Count(NvCall::NV_Stop));

  ASSERT_TRUE(Nvksim("adapter remove"));
  EXPECT_FALSE(Shown());
  EXPECT_EQ(1u, Count(NvCall::NV_Stop)) << "the query before the card went";
  EXPECT_FALSE(KeyExists(HKEY_DYN_DATA, node)) << "the node went with the card";

  const uint32_t initialised = Count(NvCall::NV_Initialize);
  ASSERT_TRUE(Nvksim(std::string("notice arrival ") + kOtherNode));
  EXPECT_FALSE(Shown()) << "another node's arrival is not the adapter's";
  EXPECT_EQ(initialised, Count(NvCall::NV_Initialize));

  ASSERT_TRUE(Nvksim("adapter add " + DriverKeyText()));
  EXPECT_TRUE(KeyExists(HKEY_DYN_DATA, node));
  EXPECT_EQ(initialised + 1, Count(NvCall::NV_Initialize)) << "taken up at the arrival";
  ExpectLinkPageResumed(61);
  EXPECT_EQ(1u, Count(NvCall::NV_Stop));
}

}  // namespace
}  // namespace tarnel::test
