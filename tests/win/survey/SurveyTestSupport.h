// The site survey page created in a small stand-in for the main window, over the scripted
// driver and a registered adapter whose driver key holds the profiles; helpers to read what
// the list shows and what the store holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "DeviceFixture.h"
#include "FakeDriver.h"
#include "MessagePump.h"
#include "RegistryCleanup.h"
#include "framework/PlatformFamily.h"
#include "framework/RegKey.h"
#include "pages/SiteSurveyPage.h"
#include "profiles/ProfileGlobals.h"
#include "resource.h"
#include "widgets/PageHost.h"

namespace tarnel::test {

using Calls = std::vector<std::string>;

// Logs page selections in the driver's call log, so their order against library calls shows.
class RecordingHost : public CPageHost {
 public:
  RecordingHost() : CPageHost(IDD_MAIN) {}
  int PageCount() const override { return 4; }
  void SelectPage(int k) override {
    if (FakeDriver* driver = FakeDriver::Current()) driver->Record("SelectPage(" + std::to_string(k) + ")");
  }
};

inline SiteSurveyEntry Network(const std::string& ssid, uint8_t type = 1, uint8_t channel = 6) {
  SiteSurveyEntry record;
  std::memset(&record, 0, sizeof(record));
  record.networkType = type;
  std::memcpy(record.ssid, ssid.data(), std::min(ssid.size(), sizeof(record.ssid)));
  record.channel = channel;
  record.signal = 50;
  return record;
}

// Text of one cell of a list view.
inline std::string CellText(HWND list, int row, int column) {
  char text[300] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

inline std::array<std::string, 7> RowTexts(HWND list, int row) {
  std::array<std::string, 7> texts;
  for (int column = 0; column < 7; ++column) texts[column] = CellText(list, row, column);
  return texts;
}

inline int RowIcon(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = -7;
  ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

inline int RowCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

constexpr char kSurveyAdapterText[] = "Norvik NVK4710 Wireless LAN (Mini-)PCI NIC";

class SurveyPageTest : public testing::Test {
 protected:
  SurveyPageTest()
      : driverKey_(std::string(kNetClassKeyName) + "\\0931"),
        driverPath_("SYSTEM\\CurrentControlSet\\Control\\Class\\" + driverKey_) {
    ForcePlatformFamily(0);
    DeviceFixture::RemoveAll(kSurveyAdapterText);
    AdapterDescription.clear();
    CurrentProfileName = "Default";
  }

  ~SurveyPageTest() override {
    page.DestroyWindow();
    host.DestroyWindow();
    ForcePlatformFamily(-1);
  }

  void SetUp() override {
    ASSERT_TRUE(host.Create(nullptr));
    ASSERT_TRUE(page.Create(&host));
    page.ShowWindow(SW_SHOW);
    driver.ClearCalls();
  }

  // The adapter and its driver key, for the tests that look at stored profiles.
  void RegisterAdapter() {
    device_.reset(new DeviceFixture(std::string(kSurveyAdapterText) + " #3", driverKey_));
    key_.reset(new ScopedRegistryKey(HKEY_LOCAL_MACHINE, driverPath_));
    ASSERT_TRUE(device_->Registered());
    ASSERT_TRUE(key_->Created());
  }

  RegKey ProfileKey(const std::string& name) const {
    return RegKey::Open(HKEY_LOCAL_MACHINE, (driverPath_ + "\\" + name).c_str(), KEY_ALL_ACCESS);
  }

  void WriteProfileInt(const std::string& name, const char* value, DWORD data) const {
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, (driverPath_ + "\\" + name).c_str());
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key.Get(), value, 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&data), sizeof(data)));
  }

  // -1 when the value is missing.
  long long ReadProfileInt(const std::string& name, const char* value) const {
    RegKey key = ProfileKey(name);
    DWORD data = 0, size = sizeof(data);
    if (!key.IsOpen() || ::RegQueryValueExA(key.Get(), value, nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
      return -1;
    return data;
  }

  std::string ReadProfileText(const std::string& name, const char* value) const {
    RegKey key = ProfileKey(name);
    char text[300] = {};
    DWORD size = sizeof(text) - 1;
    if (!key.IsOpen()) return "<no key>";
    if (::RegQueryValueExA(key.Get(), value, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS)
      return "<missing>";
    return text;
  }

  HWND List() const { return page.GetDlgItem(IDC_SURVEY_LIST); }

  void Survey(std::vector<SiteSurveyEntry> networks, int32_t count = -1) {
    driver.survey = std::move(networks);
    driver.surveyCount = count;
    page.RunSiteSurvey();
  }

  // A double-click as the list view gets it from the mouse, at a point of its client area.
  void DoubleClickAt(POINT at) {
    ::SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  }
  POINT RowPoint(int row) const {
    RECT label = {LVIR_LABEL, 0, 0, 0};
    ::SendMessageA(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    return {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
  }


  FakeDriver driver;  // outlives the windows
  RecordingHost host;
  CSiteSurveyPage page;
  const std::string driverKey_;
  const std::string driverPath_;
  std::unique_ptr<DeviceFixture> device_;
  std::unique_ptr<ScopedRegistryKey> key_;
};

}  // namespace tarnel::test
