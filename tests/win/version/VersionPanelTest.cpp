// The version panel on its own: the two version texts as delivered, the picture it lends to
// its template's static, and the key filter that keeps its fields display-only.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakeDriver.h"
#include "adapter/NvLibrary.h"
#include "pages/VersionPage.h"
#include "resource.h"
#include "widgets/PageHost.h"

namespace tarnel::test {
namespace {

class Host : public CPageHost {
 public:
  Host() : CPageHost(IDD_MAIN) {}
  int PageCount() const override { return 1; }
  void SelectPage(int) override {}
};

class VersionPanelTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Create(nullptr)); }
  void TearDown() override {
    panel.DestroyWindow();
    host.DestroyWindow();
  }
  void Open() {
    ASSERT_TRUE(panel.Create(&host));
    panel.ShowWindow(SW_SHOW);
  }
  std::string Field(int id) const { return CWnd::GetWindowText(panel.GetDlgItem(id)); }

  FakeDriver driver;
  Host host;
  CVersionPage panel;
};

TEST_F(VersionPanelTest, DriverTextAsDeliveredBesideTheUtilityVersion) {
  const std::string full(NV_DRIVER_INFO_BUFFER, '7');  // fills the buffer, no terminator
  for (const std::string& text : {std::string("3.20.0.1051"), std::string(), full}) {
    driver.SetDriverInfo(text);
    Open();
    EXPECT_EQ(text, Field(IDC_DRIVER_VERSION)) << text.size() << " bytes";
    EXPECT_EQ("1.3", Field(IDC_UTILITY_VERSION));
    panel.DestroyWindow();
  }
  EXPECT_EQ(3u, driver.Calls().size()) << "read once per window";
}

// A library that writes less than a whole text: what it leaves must read as zeros.
bool g_bufferWasZero = false;
void NVAPI WritesTwoBytes(char* text260, int32_t*) {
  g_bufferWasZero = true;
  for (int i = 0; i < NV_DRIVER_INFO_BUFFER; ++i) g_bufferWasZero = g_bufferWasZero && text260[i] == 0;
  text260[0] = 'a';
  text260[1] = 'b';
}

TEST_F(VersionPanelTest, BufferIsZeroedBeforeTheLibraryWrites) {
  const NvFunctions scripted = Nv();
  NvFunctions table = scripted;
  table.NV_GetStatusDriverInfo = &WritesTwoBytes;
  InstallNvFunctions(table);
  Open();
  InstallNvFunctions(scripted);
  EXPECT_TRUE(g_bufferWasZero);
  EXPECT_EQ("ab", Field(IDC_DRIVER_VERSION));
}

TEST_F(VersionPanelTest, PictureIsBitmap126AndGoesWithThePanel) {
  for (int round = 0; round < 2; ++round) {
    Open();
    HWND picture = nullptr;
    for (HWND c = ::GetWindow(panel.m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
      if ((::GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) picture = c;
    ASSERT_TRUE(picture);
    auto image = reinterpret_cast<HBITMAP>(::SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info = {};
    ASSERT_TRUE(::GetObjectA(image, sizeof(info), &info));
    EXPECT_EQ(131, info.bmWidth);
    EXPECT_EQ(92, info.bmHeight);
    panel.DestroyWindow();
    EXPECT_EQ(0u, ::GetObjectType(image)) << "round " << round;
  }
}

// Keys typed into the panel's fields pass through the program's modal loop, which offers
// them to the panel first. The same keys reach a field outside the panel.
TEST_F(VersionPanelTest, TypingIntoTheFieldsChangesNothing) {
  driver.SetDriverInfo("3.20");
  Open();
  HWND outside = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, host.m_hWnd,
                                   nullptr, nullptr, nullptr);
  ASSERT_TRUE(outside);
  const HWND fields[] = {panel.GetDlgItem(IDC_DRIVER_VERSION), panel.GetDlgItem(IDC_UTILITY_VERSION), outside};
  for (HWND field : fields) {
    ::SetFocus(field);
    for (UINT key : {UINT('X'), UINT(VK_BACK), UINT(VK_DELETE), UINT('Y')}) {
      ::PostMessageA(field, WM_KEYDOWN, key, 1);
      ::PostMessageA(field, WM_KEYUP, key, 0xC0000001);
    }
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) host.PumpMessage(msg);
  }
  EXPECT_EQ("3.20", Field(IDC_DRIVER_VERSION));
  EXPECT_EQ("1.3", Field(IDC_UTILITY_VERSION));
  EXPECT_EQ("y", CWnd::GetWindowText(outside)) << "keys outside the panel are typed";
  ::DestroyWindow(outside);
}

}  // namespace
}  // namespace tarnel::test
