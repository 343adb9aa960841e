// The key filter: in the hex formats only keys whose virtual-key code reads as a hex digit reach
// a key edit. The modal cases post real key messages through the program's own modal loop.
#include "EncryptionFixture.h"

namespace tarnel::test {
namespace {

class KeyFilterTest : public EncryptionPageTest {
 protected:
  // True when the page lets the message go on.
  bool Passes(HWND to, WPARAM key, UINT message = WM_KEYDOWN) {
    MSG msg = {};
    msg.hwnd = to;
    msg.message = message;
    msg.wParam = key;
    return !page().PreTranslateMessage(&msg);
  }
  void Select(int selection) {
    ::SendMessageA(Item(IDC_KEY_FORMAT), CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
  }

  // Runs the host modally with the page in the format, posts the keys to a key edit holding
  // `initial` (all selected) while `held` is down, and gives the edit's text at the end.
  std::string TypeModally(int format, const std::vector<WPARAM>& keys, BYTE held = 0, const char* initial = "") {
    Store(format, 0, {"", "", "", ""});
    std::string result;
    host.onInit = [&](HostDialog& h) {
      h.page.ReloadEncryption();
      HWND edit = ::GetDlgItem(h.page.m_hWnd, IDC_KEY1);
      ::SetWindowTextA(edit, initial);
      ::SetFocus(edit);
      ::SendMessageA(edit, EM_SETSEL, 0, -1);
      BYTE state[256] = {};
      state[VK_NUMLOCK] = 0x01;  // toggled on: the keypad types digits
      if (held) state[held] = 0x80;
      ::SetKeyboardState(state);
      for (WPARAM key : keys) ::PostMessageA(edit, WM_KEYDOWN, key, 1);
      h.EndSoon();
    };
    host.onEnd = [&](HostDialog& h) {
      result = CWnd::GetWindowText(::GetDlgItem(h.page.m_hWnd, IDC_KEY1));
      BYTE state[256] = {};
      ::SetKeyboardState(state);
    };
    EXPECT_EQ(IDOK, host.DoModal());
    return result;
  }
};

// The clipboard through a window of its own (a null owner cannot set data).
class Clipboard {
 public:
  Clipboard() : owner_(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {}
  ~Clipboard() { ::DestroyWindow(owner_); }
  bool Set(const std::string& text) {
    if (!::OpenClipboard(owner_)) return false;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    const bool set = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!set) ::GlobalFree(memory);
    ::CloseClipboard();
    return set;
  }
  std::string Get() {
    std::string text;
    if (!::OpenClipboard(owner_)) return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
      text = static_cast<const char*>(::GlobalLock(data));
      ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
  }

 private:
  HWND owner_;
};

TEST_F(KeyFilterTest, HexFormatsFilterOnlyKeyDownsForTheKeyEdits) {
  Open();
  StoreAndReload(1, 0, {"", "", "", ""});
  const HWND key = Item(IDC_KEY3);
  for (int code : {VK_BACK, VK_DELETE, VK_LEFT, VK_HOME, VK_TAB, VK_ESCAPE}) EXPECT_TRUE(Passes(key, code)) << code;
  for (int code : {VK_SPACE, VK_RETURN, VK_INSERT, VK_SHIFT, VK_F1}) EXPECT_FALSE(Passes(key, code)) << code;
  EXPECT_TRUE(Passes(key, 'g', WM_CHAR));
  EXPECT_TRUE(Passes(key, 'G', WM_KEYUP));
  for (int id : {IDC_PASSPHRASE, IDC_KEY_FORMAT, IDC_ENCRYPTION_APPLY}) EXPECT_TRUE(Passes(Item(id), 'G')) << id;

  // The list selection decides, not the stored format.
  for (int selection : {-1, 0, 2, 4, 5}) {
    Select(selection);
    EXPECT_TRUE(Passes(key, 'G')) << "selection " << selection;
  }
  for (int selection : {3, 6, 7}) {
    Select(selection);
    EXPECT_FALSE(Passes(Item(IDC_KEY1), 'G')) << "selection " << selection;
  }
}

const std::vector<WPARAM> kKeypad = {VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4, VK_NUMPAD5,
                                     VK_NUMPAD6, VK_NUMPAD0, VK_NUMPAD7, VK_NUMPAD8, VK_NUMPAD9};

TEST_F(KeyFilterTest, KeypadOneToSixPassIntoAHexKeyAndTheRestIsSwallowed) {
  std::vector<WPARAM> keys = kKeypad;
  keys.push_back('A');
  keys.push_back('G');
  EXPECT_EQ("123456a", TypeModally(1, keys));
}

TEST_F(KeyFilterTest, AsciiFormatsTakeEveryKey) {
  std::vector<WPARAM> keys = kKeypad;
  keys.push_back('G');
  EXPECT_EQ("1234560789g", TypeModally(2, keys));
}

TEST_F(KeyFilterTest, AShiftedDigitTypesItsCharacterIntoAHexKey) {
  EXPECT_EQ("!", TypeModally(3, {'1'}, VK_SHIFT));
}

TEST_F(KeyFilterTest, CtrlVIsSwallowedInAHexKeyAndCtrlCPasses) {
  Clipboard clipboard;
  ASSERT_TRUE(clipboard.Set("abc"));
  EXPECT_EQ("", TypeModally(7, {'V'}, VK_CONTROL));
  EXPECT_EQ("abc", TypeModally(0, {'V'}, VK_CONTROL)) << "an ASCII key takes the paste";

  ASSERT_TRUE(clipboard.Set("other"));
  EXPECT_EQ("12ab", TypeModally(6, {'C'}, VK_CONTROL, "12ab"));
  EXPECT_EQ("12ab", clipboard.Get());
}

}  // namespace
}  // namespace tarnel::test
