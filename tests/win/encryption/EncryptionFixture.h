// The encryption page on a host dialog, over the scripted driver and the real registry with the
// adapter registered, so that the page's store operations reach a driver key of their own.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "DeviceFixture.h"
#include "FakeDriver.h"
#include "MessagePump.h"
#include "RegistryCleanup.h"
#include "adapter/AdapterDiscovery.h"
#include "framework/PlatformFamily.h"
#include "framework/RegKey.h"
#include "pages/EncryptionPage.h"
#include "profiles/ProfileGlobals.h"
#include "profiles/ProfileStore.h"
#include "resource.h"

namespace tarnel::test {

using Calls = std::vector<std::string>;
using Keys = std::array<std::string, 4>;

constexpr int kKeyIds[] = {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4};
constexpr int kRadios[] = {IDC_KEY1_RADIO, IDC_KEY2_RADIO, IDC_KEY3_RADIO, IDC_KEY4_RADIO};

// A dialog holding the page in its top-left corner, shown. Run modally, it calls onInit once the
// page exists and ends when onInit's work has asked for it (EndSoon).
class HostDialog : public CDialog {
 public:
  static constexpr UINT_PTR kEndTimer = 901;

  HostDialog() : CDialog(IDD_MAIN) {}
  CEncryptionPage page;
  std::function<void(HostDialog&)> onInit;
  std::function<void(HostDialog&)> onEnd;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    page.Create(this);
    ::SetWindowPos(page.m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    page.ShowWindow(SW_SHOW);
    if (onInit) onInit(*this);
    return FALSE;
  }
  // Ends the modal run after the messages posted so far (timers come after posted messages).
  void EndSoon() { SetTimer(kEndTimer, 100); }
  void OnTimer(UINT_PTR id) override {
    if (id != kEndTimer) return CDialog::OnTimer(id);
    KillTimer(kEndTimer);
    if (onEnd) onEnd(*this);
    EndDialog(IDOK);
  }
};

// What the store holds for a profile.
struct Stored {
  int32_t wep = 99;
  int32_t keyIndex = 99;
  Keys keys;
  std::string passphrase;
};

class EncryptionPageTest : public testing::Test {
 protected:
  EncryptionPageTest()
      : description_((Reset(), LoadStringResource(1))),
        driverPath_(std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\") + kNetClassKeyName + "\\0931"),
        device_(description_ + " #3", std::string(kNetClassKeyName) + "\\0931", AdapterHardwareId),
        key_(HKEY_LOCAL_MACHINE, driverPath_) {}
  ~EncryptionPageTest() override { ForcePlatformFamily(-1); }

  void SetUp() override {
    ASSERT_FALSE(description_.empty());
    ASSERT_TRUE(device_.Registered());
    ASSERT_TRUE(key_.Created());
  }
  void TearDown() override { host.DestroyWindow(); }

  // The host shown modelessly, the page on it as created: never activated, nothing loaded.
  void Open() {
    ASSERT_TRUE(host.Create(nullptr));
    ASSERT_TRUE(page().m_hWnd);
  }
  CEncryptionPage& page() { return host.page; }
  HWND Item(int id) { return ::GetDlgItem(page().m_hWnd, id); }

  // Store side.
  static void Store(int32_t wep, int32_t keyIndex, const Keys& keys, const std::string& passphrase = "",
                    const char* profile = "Default") {
    SaveProfileEncryption(profile, wep, keyIndex, keys[0].c_str(), keys[1].c_str(), keys[2].c_str(),
                          keys[3].c_str(), passphrase.c_str());
  }
  static Stored Load(const char* profile = "Default") {
    Stored s;
    LoadProfileEncryption(profile, &s.wep, &s.keyIndex, &s.keys[0], &s.keys[1], &s.keys[2], &s.keys[3],
                          &s.passphrase);
    return s;
  }
  // A value of a profile written or removed behind the store's back.
  void DeleteValue(const char* profile, const char* name) const {
    RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, (driverPath_ + "\\" + profile).c_str(), KEY_ALL_ACCESS);
    ASSERT_TRUE(key.IsOpen());
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteValueA(key.Get(), name));
  }
  // Stores, then loads the page as its reload timer would.
  void StoreAndReload(int32_t wep, int32_t keyIndex, const Keys& keys, const std::string& passphrase = "") {
    Store(wep, keyIndex, keys, passphrase);
    page().ReloadEncryption();
  }

  // Page side.
  std::string Text(int id) { return CWnd::GetWindowText(Item(id)); }
  Keys KeyTexts() {
    Keys keys;
    for (int i = 0; i < 4; ++i) keys[i] = Text(kKeyIds[i]);
    return keys;
  }
  // Text from the keyboard or from code: the change event runs either way.
  void Type(int id, const std::string& text) { ::SetWindowTextA(Item(id), text.c_str()); }
  bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
  bool Checked(int id) { return ::IsDlgButtonChecked(page().m_hWnd, id) == BST_CHECKED; }
  // Index of the ticked radio buttons, in key order.
  std::vector<int> TickedKeys() {
    std::vector<int> ticked;
    for (int i = 0; i < 4; ++i)
      if (Checked(kRadios[i])) ticked.push_back(i);
    return ticked;
  }
  int Selection() { return static_cast<int>(::SendMessageA(Item(IDC_KEY_FORMAT), CB_GETCURSEL, 0, 0)); }
  char Mask(int id) { return static_cast<char>(::SendMessageA(Item(id), EM_GETPASSWORDCHAR, 0, 0)); }
  std::string Masks() {
    std::string masks;
    for (int id : {IDC_KEY1, IDC_KEY2, IDC_KEY3, IDC_KEY4, IDC_PASSPHRASE}) masks += Mask(id) ? Mask(id) : '-';
    return masks;
  }
  // A mouse click as the button sees it: it toggles itself and tells the page.
  void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
  // The user picks a list entry.
  void ChooseFormat(int format) {
    ::SendMessageA(Item(IDC_KEY_FORMAT), CB_SETCURSEL, static_cast<WPARAM>(format), 0);
    ::SendMessageA(page().m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_KEY_FORMAT, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Item(IDC_KEY_FORMAT)));
  }
  void PollTick() { ::SendMessageA(page().m_hWnd, WM_TIMER, CEncryptionPage::kPollTimerId, 0); }
  bool ApplyAndCancelEnabled() {
    EXPECT_EQ(Enabled(IDC_ENCRYPTION_APPLY), Enabled(IDC_ENCRYPTION_CANCEL));
    return Enabled(IDC_ENCRYPTION_APPLY);
  }


 private:
  // Every test starts from the NT family, no adapter left by a crashed run and fresh globals.
  static void Reset() {
    ForcePlatformFamily(0);
    AdapterDescription.clear();
    CurrentProfileName = "Default";
    DeviceFixture::RemoveAll(LoadStringResource(1));
  }

  const std::string description_;
  const std::string driverPath_;
  DeviceFixture device_;
  ScopedRegistryKey key_;

 protected:
  FakeDriver driver;  // outlives the page
  HostDialog host;
};

}  // namespace tarnel::test
