// The Configuration page inside the real main window, over the scripted driver, with the
// adapter registered so that the profile store works, and raw registry access to what it wrote.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "DeviceFixture.h"
#include "FakeDriver.h"
#include "RegistryCleanup.h"
#include "adapter/AdapterDiscovery.h"
#include "app/TarnelDlg.h"
#include "framework/PlatformFamily.h"
#include "framework/RegKey.h"
#include "profiles/ProfileGlobals.h"

namespace tarnel::test {

using Calls = std::vector<std::string>;
using Names = std::vector<std::string>;

constexpr char kAdapterText[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";
constexpr char kDriverKey[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0921";
constexpr char kDriverPath[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0921";

struct Stored {
  std::string ssid;
  DWORD netMode, channel, txRate, powerMode;
  bool operator==(const Stored& o) const {
    return ssid == o.ssid && netMode == o.netMode && channel == o.channel && txRate == o.txRate &&
           powerMode == o.powerMode;
  }
};
inline std::ostream& operator<<(std::ostream& out, const Stored& s) {
  return out << "{\"" << s.ssid << "\"," << static_cast<int>(s.netMode) << "," << static_cast<int>(s.channel)
             << "," << static_cast<int>(s.txRate) << "," << static_cast<int>(s.powerMode) << "}";
}

SiteSurveyEntry SurveyRecord(const std::string& ssid, std::initializer_list<uint8_t> rates);

class ConfigPageTest : public testing::Test {
 protected:
  ConfigPageTest();
  ~ConfigPageTest() override;
  void SetUp() override;

  // Creates the main window (which creates the page and fills its channel list).
  void Open();
  // Brings the page to the front and runs its refresh as the one-shot timer would.
  void ShowAndRefresh();

  CConfigPage& Page() { return *dynamic_cast<CConfigPage*>(window.PageTable(1)); }
  HWND Item(int id) { return Page().GetDlgItem(id); }
  int ComboSelection(int id) { return static_cast<int>(::SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
  void ComboSelect(int id, int position) { ::SendMessageA(Item(id), CB_SETCURSEL, position, 0); }
  Names ComboItems(int id);
  Names ListItems();
  int ListSelection() { return static_cast<int>(::SendMessageA(Item(IDC_PROFILE_LIST), LB_GETCURSEL, 0, 0)); }
  void SetText(int id, const std::string& text) { ::SetWindowTextA(Item(id), text.c_str()); }
  std::string Text(int id) { return CWnd::GetWindowText(Item(id)); }
  // A button click or a list selection as the page receives it.
  void Click(int id) { Notify(id, BN_CLICKED); }
  void Notify(int id, int code) {
    ::SendMessageA(Page().m_hWnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  void PickProfile(int index) {
    ::SendMessageA(Item(IDC_PROFILE_LIST), LB_SETCURSEL, index, 0);
    Notify(IDC_PROFILE_LIST, LBN_SELCHANGE);
  }
  // Apply and Cancel after a change check: true when both are enabled (and equal).
  bool CheckSaysModified();

  // Raw registry.
  Stored ReadStored(const std::string& profile);
  void WriteStored(const std::string& profile, const Stored& settings);
  void WriteDword(const std::string& sub, const char* name, DWORD value);
  void WriteText(const std::string& sub, const char* name, const std::string& text);
  // A 32-bit value as stored; INT32_MIN when it is missing.
  int32_t ReadNumber(const std::string& sub, const char* name);
  bool AutoBoxTicked() { return ::SendMessageA(Item(IDC_AUTO_CONNECT), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void TickAutoBox(bool on) { ::SendMessageA(Item(IDC_AUTO_CONNECT), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
  Names ListValueNames();  // named values of "ProfileList", in enumeration order
  std::string CurrentRecord();
  bool KeyExists(const std::string& sub);
  // The calls that set something: the status reads that pollers repeat are left out.
  Calls SettingCalls() { return driver.NonPollingCalls(); }

  FakeDriver driver;
  CTarnel_UIDlg window;

 private:
  // Every test starts from no adapter devices, the NT family and fresh store globals.
  struct FreshStart {
    FreshStart();
  } fresh_;
  DeviceFixture device_;
  ScopedRegistryKey key_;
};

}  // namespace tarnel::test
