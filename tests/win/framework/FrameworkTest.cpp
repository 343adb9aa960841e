// The framework layer: the modal loop's pre-translation order, pages created again from the
// same object, data exchange, reflected notifications and the scoped drawing and kernel resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/KernelHandle.h"
#include "framework/StringResource.h"
#include "framework/WaitCursor.h"
#include "TarnelVersion.h"
#include "resource.h"

using namespace tarnel;

namespace {

std::vector<std::string> g_trace;

// An edit child that records the key messages it pre-translates and may swallow them.
class TracingEdit : public CWnd {
 public:
  bool swallow = false;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) {
      g_trace.push_back("edit");
      return swallow;
    }
    return FALSE;
  }
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM, LRESULT*) override {
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) ++changes;
    return FALSE;
  }
  int changes = 0;
};

constexpr int kEditId = 4000;
constexpr UINT_PTR kEndTimer = 77;

// The main template with one edit added at run time; ends itself on a timer.
class KeyDialog : public CDialog {
 public:
  KeyDialog() : CDialog(IDD_MAIN) {}
  TracingEdit edit;
  std::string textAtEnd;
  std::vector<WPARAM> keys;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    HWND hwnd = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 200, 20, m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), nullptr, nullptr);
    edit.SubclassWindow(hwnd);
    ::SetFocus(hwnd);
    for (WPARAM key : keys) ::PostMessageA(hwnd, WM_KEYDOWN, key, 1);
    SetTimer(kEndTimer, 200);
    return FALSE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) g_trace.push_back("dialog");
    return FALSE;
  }
  void OnTimer(UINT_PTR id) override {
    if (id != kEndTimer) return CDialog::OnTimer(id);
    KillTimer(kEndTimer);
    textAtEnd = edit.GetWindowText();
    EndDialog(42);
  }
};

TEST(ModalLoop, PreTranslateRunsForTargetThenParentsBeforeTheDialogManager) {
  g_trace.clear();
  KeyDialog dialog;
  dialog.keys = {'A', 'B'};
  EXPECT_EQ(42, dialog.DoModal());
  EXPECT_EQ((std::vector<std::string>{"edit", "dialog", "edit", "dialog"}), g_trace);
  EXPECT_EQ("ab", dialog.textAtEnd) << "keys that pass reach the edit";
  EXPECT_EQ(nullptr, dialog.m_hWnd) << "the window is gone after the modal run";
  EXPECT_EQ(2, dialog.edit.changes) << "edit notifications are reflected to the control";
}

TEST(ModalLoop, SwallowedKeysNeverReachTheControlOrTheParents) {
  g_trace.clear();
  KeyDialog dialog;
  dialog.edit.swallow = true;
  dialog.keys = {'A', 'B'};
  dialog.DoModal();
  EXPECT_EQ((std::vector<std::string>{"edit", "edit"}), g_trace);
  EXPECT_EQ("", dialog.textAtEnd);
}

TEST(ModalLoop, CloseCommandEndsWithCancel) {
  class ClosingDialog : public CDialog {
   public:
    ClosingDialog() : CDialog(IDD_MAIN) {}
    BOOL OnInitDialog() override {
      PostMessage(WM_CLOSE);
      return TRUE;
    }
  } dialog;
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

// A page on the version panel's template: two edits exchanged with values.
class CountingPage : public CPropertyPage {
 public:
  CountingPage() : CPropertyPage(IDD_VERSION) {}
  int inits = 0;
  int textChanges = 0;
  std::string driver = "drv";
  int number = 7;
  BOOL OnInitDialog() override {
    ++inits;
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == EN_CHANGE) ++textChanges;
    return CPropertyPage::OnCommand(wParam, lParam);
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_DRIVER_VERSION, driver);
    DDX_Text(dx, IDC_UTILITY_VERSION, number);
  }
};

class HostWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    host = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    parent.SubclassWindow(host);
  }
  void TearDown() override {
    parent.DestroyWindow();
  }
  HWND host = nullptr;
  CWnd parent;
};

TEST_F(HostWindow, PageIsDestroyedAndCreatedAgainFromTheSameObject) {
  CountingPage page;
  for (int round = 1; round <= 3; ++round) {
    ASSERT_TRUE(page.Create(&parent)) << "round " << round;
    EXPECT_EQ(host, ::GetParent(page.m_hWnd));
    EXPECT_EQ(round, page.inits);
    EXPECT_EQ("drv", CWnd::GetWindowText(page.GetDlgItem(IDC_DRIVER_VERSION)));
    EXPECT_TRUE(page.DestroyWindow());
    EXPECT_EQ(nullptr, page.m_hWnd);
  }
}

TEST_F(HostWindow, ActivationTransfersValuesExceptTheFirstTime) {
  CountingPage page;
  ASSERT_TRUE(page.Create(&parent));
  page.driver = "changed";
  page.OnSetActive();
  EXPECT_EQ("drv", CWnd::GetWindowText(page.GetDlgItem(IDC_DRIVER_VERSION))) << "first activation";
  page.OnSetActive();
  EXPECT_EQ("changed", CWnd::GetWindowText(page.GetDlgItem(IDC_DRIVER_VERSION)));
  EXPECT_EQ("7", CWnd::GetWindowText(page.GetDlgItem(IDC_UTILITY_VERSION)));

  ::SetWindowTextA(page.GetDlgItem(IDC_DRIVER_VERSION), "typed");
  ::SetWindowTextA(page.GetDlgItem(IDC_UTILITY_VERSION), "-12");
  page.UpdateData(TRUE);
  EXPECT_EQ("typed", page.driver);
  EXPECT_EQ(-12, page.number);

  // Created again, the page starts over: its first activation transfers nothing.
  page.DestroyWindow();
  page.driver = "again";
  ASSERT_TRUE(page.Create(&parent));
  ::SetWindowTextA(page.GetDlgItem(IDC_DRIVER_VERSION), "kept");
  page.OnSetActive();
  EXPECT_EQ("kept", CWnd::GetWindowText(page.GetDlgItem(IDC_DRIVER_VERSION)));
}

TEST_F(HostWindow, TransferLeavesUnchangedTextsAlone) {
  CountingPage page;
  ASSERT_TRUE(page.Create(&parent));
  page.textChanges = 0;
  page.UpdateData(FALSE);
  EXPECT_EQ(0, page.textChanges) << "equal texts are not set again";
  page.number = 8;
  page.UpdateData(FALSE);
  EXPECT_EQ(1, page.textChanges);
  EXPECT_EQ("8", CWnd::GetWindowText(page.GetDlgItem(IDC_UTILITY_VERSION)));
}

TEST(GdiWrappers, EveryWrapperReleasesWhatItTook) {
  const GdiCounts before = LiveGdiCounts();
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ originalBitmap = nullptr;
  HBITMAP bitmap = nullptr;
  HMENU menu = nullptr;
  {
    MemoryDC memory(screen);
    ASSERT_TRUE(memory);
    originalBitmap = ::GetCurrentObject(memory.Get(), OBJ_BITMAP);
    GdiObject owned(::CreateCompatibleBitmap(screen, 8, 8));
    bitmap = owned.Bitmap();
    ASSERT_TRUE(bitmap);
    {
      SelectGuard selected(memory.Get(), bitmap);
      EXPECT_EQ(bitmap, ::GetCurrentObject(memory.Get(), OBJ_BITMAP));
      EXPECT_EQ(before.selects + 1, LiveGdiCounts().selects);
    }
    EXPECT_EQ(originalBitmap, ::GetCurrentObject(memory.Get(), OBJ_BITMAP)) << "selection restored";
    MenuHandle owner(::CreatePopupMenu());
    menu = owner.Get();
    EXPECT_TRUE(::IsMenu(menu));
    EXPECT_EQ(before.objects + 1, LiveGdiCounts().objects);
    EXPECT_EQ(before.dcs + 1, LiveGdiCounts().dcs);
  }
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(0u, ::GetObjectType(bitmap)) << "bitmap deleted";
  EXPECT_FALSE(::IsMenu(menu)) << "menu destroyed";
  const GdiCounts after = LiveGdiCounts();
  EXPECT_EQ(before.objects, after.objects);
  EXPECT_EQ(before.dcs, after.dcs);
  EXPECT_EQ(before.selects, after.selects);
  EXPECT_EQ(before.menus, after.menus);
}

TEST(GdiWrappers, MovedObjectIsDeletedOnceByItsLastOwner) {
  GdiObject first(::CreateSolidBrush(RGB(1, 2, 3)));
  HGDIOBJ brush = first.Get();
  {
    GdiObject second(std::move(first));
    EXPECT_EQ(nullptr, first.Get());
    EXPECT_NE(0u, ::GetObjectType(brush));
  }
  EXPECT_EQ(0u, ::GetObjectType(brush));
}

TEST(GdiWrappers, StretchBitmapCoversTheTargetRectangle) {
  HDC screen = ::GetDC(nullptr);
  MemoryDC source(screen), target(screen);
  GdiObject small(::CreateCompatibleBitmap(screen, 2, 2));
  GdiObject big(::CreateCompatibleBitmap(screen, 20, 10));
  ::ReleaseDC(nullptr, screen);
  {
    SelectGuard s(source.Get(), small.Get());
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) ::SetPixel(source.Get(), x, y, RGB(200, 10, 10));
  }
  SelectGuard t(target.Get(), big.Get());
  RECT all = {0, 0, 20, 10};
  ::FillRect(target.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  RECT area = {5, 2, 15, 8};
  StretchBitmap(target.Get(), small.Bitmap(), area);
  EXPECT_EQ(RGB(200, 10, 10), ::GetPixel(target.Get(), 5, 2));
  EXPECT_EQ(RGB(200, 10, 10), ::GetPixel(target.Get(), 14, 7));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(target.Get(), 4, 2));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(target.Get(), 15, 8));
}

TEST(WaitCursor, NestedCursorsRestoreInOrder) {
  EXPECT_EQ(0, CWaitCursor::Depth());
  {
    CWaitCursor outer;
    {
      CWaitCursor inner;
      EXPECT_EQ(2, CWaitCursor::Depth());
    }
    EXPECT_EQ(1, CWaitCursor::Depth());
  }
  EXPECT_EQ(0, CWaitCursor::Depth());
}

}  // namespace

// Window handles only carry 32 significant bits; a 64-bit system may hand the same window over
// sign-extended or zero-extended. Cycle one handle slot until its number has the top bit set,
// then build a page there: its dialog procedure must still find the page object.
TEST_F(HostWindow, PageWorksOnceHandleNumbersPassTheTopBit) {
  if (sizeof(HWND) == 4) GTEST_SKIP() << "32-bit handles have one form only";
  auto topBitSet = [](HWND hwnd) { return (reinterpret_cast<uintptr_t>(hwnd) & 0x80000000u) != 0; };
  HWND probe = nullptr;
  for (int i = 0; i < 70000 && !topBitSet(probe); ++i) {  // one slot wraps within 32768 uses
    if (probe) ::DestroyWindow(probe);
    probe = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, host, nullptr, nullptr, nullptr);
    ASSERT_TRUE(probe);
  }
  ASSERT_TRUE(topBitSet(probe));
  ::DestroyWindow(probe);

  CountingPage page;
  ASSERT_TRUE(page.Create(&parent));
  EXPECT_EQ(1, page.inits);
  EXPECT_EQ(&page, CWnd::FromHandle(page.m_hWnd));
  EXPECT_EQ("drv", CWnd::GetWindowText(page.GetDlgItem(IDC_DRIVER_VERSION)));
  page.textChanges = 0;
  ::SetWindowTextA(page.GetDlgItem(IDC_DRIVER_VERSION), "typed");
  EXPECT_EQ(1, page.textChanges) << "the page's messages reach its object";
  EXPECT_TRUE(page.DestroyWindow());
  EXPECT_EQ(nullptr, CWnd::FromHandle(probe));
}

TEST(WindowHandles, EitherExtensionOfTheSameHandleIsTheSameWindow) {
  const HWND sign = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(0x8001002Au)));
  const HWND zero = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x8001002Au));
  EXPECT_TRUE(SameWindow(sign, zero));
  EXPECT_EQ(sign, CanonicalHandle(zero));
  EXPECT_FALSE(SameWindow(sign, reinterpret_cast<HWND>(static_cast<uintptr_t>(0x0001002Au))));
}

TEST(KernelHandleOwner, ClosesOnceByItsLastOwnerAndTakesNoFailureValue) {
  HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    KernelHandle first(event);
    KernelHandle second(std::move(first));
    EXPECT_FALSE(first);
    KernelHandle third;
    third = std::move(second);
    EXPECT_EQ(event, third.Get());
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(event, &flags)) << "still open while owned";
  }
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(event, &flags)) << "closed by the last owner";
  EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE)) << "a failed open owns nothing";
}

// The string reader reads what LoadStringA reads: each text of the program's table, and nothing
// for the ids between and beyond them, in blocks that exist and blocks that do not.
TEST(StringResource, ReadsWhatLoadStringReadsForEveryId) {
  HMODULE self = ::GetModuleHandleA(nullptr);
  int texts = 0;
  for (UINT id = 0; id < 300; ++id) {
    char text[1024] = {};
    const int n = ::LoadStringA(self, id, text, sizeof(text));
    EXPECT_EQ(std::string(text, n > 0 ? n : 0), ReadStringResource(self, id)) << "id " << id;
    texts += n > 0;
  }
  EXPECT_GE(texts, 5) << "the table's texts were read";
  EXPECT_EQ(TARNEL_VERSION_SHORT, ReadStringResource(self, IDS_UTILITY_VERSION));
}
