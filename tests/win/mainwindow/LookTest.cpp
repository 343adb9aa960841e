// What the window and its page shells draw and hold: the header band over the body, the
// captions and bars the pages bind, the version texts, colours over the backdrop.
#include <memory>
#include <string>

#include "MainWindowFixture.h"
#include "framework/Gdi.h"
#include "widgets/BitmapProgressCtrl.h"

namespace tarnel::test {
namespace {

// A memory surface of a given size, filled with a colour no artwork uses.
class Surface {
 public:
  static constexpr COLORREF kUntouched = RGB(255, 0, 255);
  Surface(int width, int height) : dc_(nullptr) {
    WindowDC screen(nullptr, WindowDC::Client);
    bitmap_.Reset(::CreateCompatibleBitmap(screen.Get(), width, height));
    select_ = std::make_unique<SelectGuard>(dc_.Get(), bitmap_.Get());
    const RECT all = {0, 0, width, height};
    GdiObject brush(::CreateSolidBrush(kUntouched));
    ::FillRect(dc_.Get(), &all, static_cast<HBRUSH>(brush.Get()));
  }
  HDC Get() const { return dc_.Get(); }
  COLORREF At(int x, int y) const { return ::GetPixel(dc_.Get(), x, y); }

 private:
  MemoryDC dc_;
  GdiObject bitmap_;
  std::unique_ptr<SelectGuard> select_;
};

// A pixel of a bitmap resource, counted from the top-left or, for negative numbers, from the
// bottom-right.
COLORREF ResourcePixel(UINT id, int x, int y) {
  GdiObject bitmap = LoadBitmapResource(id);
  BITMAP info = {};
  ::GetObjectA(bitmap.Get(), sizeof(info), &info);
  MemoryDC dc(nullptr);
  SelectGuard selected(dc.Get(), bitmap.Get());
  return ::GetPixel(dc.Get(), x < 0 ? info.bmWidth + x : x, y < 0 ? info.bmHeight + y : y);
}

struct Size {
  int width, height;
};
Size BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!::GetObjectA(bitmap, sizeof(info), &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

template <class T>
T* Control(HWND page, int id) {
  return dynamic_cast<T*>(CWnd::FromHandle(::GetDlgItem(page, id)));
}

TEST_F(MainWindowTest, BackgroundIsTheHeaderBandAboveTheAnchorAndTheBackdropBelow) {
  Open();
  RECT client;
  ::GetClientRect(Main(), &client);
  RECT anchor;
  ::GetWindowRect(window.GetDlgItem(IDC_PANEL_ANCHOR), &anchor);
  POINT corner = {anchor.left, anchor.top};
  ::ScreenToClient(Main(), &corner);
  ASSERT_GT(corner.y, 1);
  Surface surface(client.right, client.bottom);
  const GdiCounts before = LiveGdiCounts();
  EXPECT_TRUE(::SendMessageA(Main(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Get()), 0));
  const GdiCounts after = LiveGdiCounts();
  EXPECT_EQ(before.objects, after.objects) << "both bitmaps released";
  EXPECT_EQ(before.dcs, after.dcs);
  EXPECT_EQ(before.selects, after.selects);

  const int right = client.right - 1, bottom = client.bottom - 1;
  EXPECT_EQ(ResourcePixel(IDB_HEADER, 0, 0), surface.At(0, 0));
  EXPECT_EQ(ResourcePixel(IDB_HEADER, -1, -1), surface.At(right, corner.y - 1)) << "band ends at the anchor";
  EXPECT_EQ(ResourcePixel(IDB_BACKDROP, 0, 0), surface.At(0, corner.y)) << "body starts at the anchor";
  EXPECT_EQ(ResourcePixel(IDB_BACKDROP, -1, -1), surface.At(right, bottom));
}

TEST_F(MainWindowTest, EveryPageAndThePanelEraseToTheBackdrop) {
  Open();
  std::vector<HWND> pages = {window.VersionPanel().m_hWnd};
  for (int i = 0; i < 4; ++i) pages.push_back(Page(i));
  const GdiCounts before = LiveGdiCounts();
  for (HWND page : pages) {
    RECT client;
    ::GetClientRect(page, &client);
    Surface surface(client.right, client.bottom);
    EXPECT_TRUE(::SendMessageA(page, WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Get()), 0));
    EXPECT_EQ(ResourcePixel(IDB_BACKDROP, 0, 0), surface.At(0, 0));
    EXPECT_EQ(ResourcePixel(IDB_BACKDROP, -1, -1), surface.At(client.right - 1, client.bottom - 1))
        << "not covered by the dialog brush";
  }
  const GdiCounts after = LiveGdiCounts();
  EXPECT_EQ(before.objects, after.objects);
  EXPECT_EQ(before.dcs, after.dcs);
  EXPECT_EQ(before.selects, after.selects);
}

TEST_F(MainWindowTest, DragIconIsTheWindowIcon) {
  Open();
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
  ASSERT_TRUE(icon);
  EXPECT_EQ(reinterpret_cast<LRESULT>(icon), ::SendMessageA(Main(), WM_QUERYDRAGICON, 0, 0));
}

TEST_F(MainWindowTest, LinkPageBindsItsCaptionsAndBarsAndPollsFromTheStart) {
  Open();
  HWND page = Page(0);
  for (int id : {IDC_STATUS_LABEL, IDC_SSID_LABEL, IDC_CHANNEL_LABEL, IDC_MAC_ADDRESS_LABEL, IDC_CONNECTION_LABEL,
                 IDC_IP_ADDRESS_LABEL, IDC_QUALITY_LABEL, IDC_SIGNAL_LABEL, IDC_TX_RATE_LABEL, IDC_MBPS_LABEL,
                 IDC_QUALITY_PERCENT, IDC_SIGNAL_PERCENT}) {
    auto* label = Control<CBitmapLabel>(page, id);
    ASSERT_NE(nullptr, label) << "label " << id;
    EXPECT_EQ(nullptr, label->BackgroundBitmap()) << "label " << id;
  }
  struct Bar {
    int id;
    int fillHeight;  // bitmap 122 is 300 x 16, bitmap 123 300 x 15
  };
  for (const Bar& expected : {Bar{IDC_QUALITY_BAR, 16}, Bar{IDC_SIGNAL_BAR, 15}}) {
    auto* bar = Control<CBitmapProgressCtrl>(page, expected.id);
    ASSERT_NE(nullptr, bar) << "bar " << expected.id;
    EXPECT_EQ(0, bar->Lower());
    EXPECT_EQ(100, bar->Upper());
    EXPECT_EQ(300, BitmapSize(bar->FillBitmap()).width);
    EXPECT_EQ(expected.fillHeight, BitmapSize(bar->FillBitmap()).height);
  }
  // Before the first tick: channel 0, other fields empty, the template's percentages.
  EXPECT_EQ("0", CWnd::GetWindowText(::GetDlgItem(page, IDC_CHANNEL)));
  EXPECT_EQ("", CWnd::GetWindowText(::GetDlgItem(page, IDC_STATUS)));
  EXPECT_EQ("80%", CWnd::GetWindowText(::GetDlgItem(page, IDC_QUALITY_PERCENT)));
  EXPECT_EQ("60%", CWnd::GetWindowText(::GetDlgItem(page, IDC_SIGNAL_PERCENT)));
  EXPECT_TRUE(TakeTimer(page, CLinkInfoPage::kTimerId));
}

TEST_F(MainWindowTest, LabelPictureIsHeldByEachPageAcrossRebuilds) {
  Open();
  struct Holder {
    int page;
    std::vector<int> withPicture, without;
  };
  const Holder holders[] = {
      {1, {IDC_PROFILE_LABEL}, {IDC_SSID_LABEL, IDC_WIRELESS_MODE_LABEL, IDC_CHANNEL_LABEL, IDC_TX_RATE_LABEL,
                                IDC_POWER_MODE_LABEL}},
      {2, {IDC_NETWORK_KEY_LABEL, IDC_DEFAULT_KEY_LABEL}, {IDC_PASSPHRASE_LABEL, IDC_KEY_FORMAT_LABEL}},
      {3, {IDC_AVAILABLE_NETWORK}, {}},
  };
  std::vector<HBITMAP> first;
  for (int round = 0; round < 3; ++round) {
    std::vector<HBITMAP> seen;
    for (const Holder& holder : holders) {
      for (int id : holder.withPicture) {
        auto* label = Control<CBitmapLabel>(Page(holder.page), id);
        ASSERT_NE(nullptr, label) << "label " << id;
        const Size size = BitmapSize(label->BackgroundBitmap());
        EXPECT_EQ(93, size.width) << "label " << id << " round " << round;
        EXPECT_EQ(17, size.height);
        seen.push_back(label->BackgroundBitmap());
      }
      for (int id : holder.without) {
        auto* label = Control<CBitmapLabel>(Page(holder.page), id);
        ASSERT_NE(nullptr, label) << "label " << id;
        EXPECT_EQ(nullptr, label->BackgroundBitmap()) << "label " << id;
      }
    }
    if (round == 0) first = seen;
    EXPECT_EQ(first, seen) << "the same bitmaps, still alive";
    window.StopPageTimers();
    window.DestroyPages();
    window.CreatePages();
  }
  EXPECT_EQ(first[1], first[2]) << "one bitmap serves both encryption labels";
}

TEST_F(MainWindowTest, VersionPanelShowsTheDriverTextWithinItsBuffer) {
  struct Case {
    std::string driverText;
    std::string shown;
  };
  const std::string full(NV_DRIVER_INFO_BUFFER, '7');  // no terminator in the buffer
  const Case cases[] = {{"3.20.0.1051", "3.20.0.1051"}, {"", ""}, {full, full}};
  Open();
  for (const Case& c : cases) {
    driver.SetDriverInfo(c.driverText);
    window.DestroyPages();
    window.CreatePages();
    HWND panel = window.VersionPanel().m_hWnd;
    EXPECT_EQ(c.shown, CWnd::GetWindowText(::GetDlgItem(panel, IDC_DRIVER_VERSION)));
    EXPECT_EQ("1.3", CWnd::GetWindowText(::GetDlgItem(panel, IDC_UTILITY_VERSION)));
  }
}

TEST_F(MainWindowTest, OpensWithTheDriverTextShownFromItsStart) {
  driver.SetDriverInfo("NVK4710 Driver 2.1.0.12 (a text wider than its box)");
  Open();
  HWND edit = ::GetDlgItem(window.VersionPanel().m_hWnd, IDC_DRIVER_VERSION);
  EXPECT_EQ(edit, ::GetFocus()) << "the first control takes the focus";
  DWORD from = 1, to = 1;
  ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(0u, from);
  EXPECT_EQ(0u, to) << "nothing selected";
  EXPECT_EQ(0, ::SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0)) << "first character in view";
}

TEST_F(MainWindowTest, VersionPanelPictureIsReleasedWithThePanel) {
  Open();
  for (int round = 0; round < 2; ++round) {
    HWND picture = nullptr;
    for (HWND c = ::GetWindow(window.VersionPanel().m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
      if ((::GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) picture = c;
    ASSERT_TRUE(picture);
    auto image = reinterpret_cast<HBITMAP>(::SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(131, BitmapSize(image).width) << "bitmap 126";
    window.DestroyPages();
    EXPECT_EQ(0u, ::GetObjectType(image)) << "round " << round;
    window.CreatePages();
  }
}

TEST_F(MainWindowTest, VersionPanelDiscardsKeys) {
  Open();
  HWND edit = ::GetDlgItem(window.VersionPanel().m_hWnd, IDC_UTILITY_VERSION);
  ::SetFocus(edit);
  for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    MSG msg = {edit, message, 'X', 1, 0, {0, 0}};
    window.PumpMessage(msg);
  }
  MSG msg;
  EXPECT_FALSE(::PeekMessageA(&msg, edit, WM_CHAR, WM_CHAR, PM_REMOVE)) << "no character was made";
  EXPECT_EQ("1.3", CWnd::GetWindowText(edit));
}

TEST_F(MainWindowTest, CaptionsDrawTransparentlyWherePagesAskForIt) {
  Open();
  HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  WindowDC dc(Main(), WindowDC::Client);
  auto colourOf = [&](HWND page, UINT message, int id) {
    ::SetBkMode(dc.Get(), OPAQUE);
    return reinterpret_cast<HBRUSH>(::SendMessageA(page, message, reinterpret_cast<WPARAM>(dc.Get()),
                                                   reinterpret_cast<LPARAM>(::GetDlgItem(page, id))));
  };
  struct Case {
    int page;
    UINT message;
    int id;
    bool transparent;
  };
  const Case cases[] = {
      {0, WM_CTLCOLORSTATIC, IDC_STATUS_LABEL, true},
      {0, WM_CTLCOLORSTATIC, IDC_SIGNAL_PERCENT, true},
      {0, WM_CTLCOLOREDIT, IDC_STATUS, false},
      {2, WM_CTLCOLORSTATIC, IDC_ENCRYPTION_ENABLE, true},
      {2, WM_CTLCOLORBTN, IDC_KEY1_RADIO, true},
      {2, WM_CTLCOLORSTATIC, IDC_KEY2_RADIO, false},
      {2, WM_CTLCOLORSTATIC, IDC_PASSPHRASE_LABEL, false},
      {3, WM_CTLCOLORSTATIC, IDC_AVAILABLE_NETWORK, false},
  };
  for (const Case& c : cases) {
    HBRUSH brush = colourOf(Page(c.page), c.message, c.id);
    EXPECT_EQ(c.transparent, brush == hollow) << "page " << c.page << " control " << c.id;
    EXPECT_EQ(c.transparent ? TRANSPARENT : OPAQUE, ::GetBkMode(dc.Get())) << "control " << c.id;
  }
}

}  // namespace
}  // namespace tarnel::test
