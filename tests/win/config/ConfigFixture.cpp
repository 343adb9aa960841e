#include "ConfigFixture.h"

#include <cstring>

namespace tarnel::test {

SiteSurveyEntry SurveyRecord(const std::string& ssid, std::initializer_list<uint8_t> rates) {
  SiteSurveyEntry e{};
  std::memcpy(e.ssid, ssid.data(), std::min(ssid.size(), sizeof(e.ssid)));
  std::copy(rates.begin(), rates.end(), e.rates);
  e.bssid[0] = 0x41;  // a 32-character name runs straight into it
  return e;
}

ConfigPageTest::FreshStart::FreshStart() {
  ForcePlatformFamily(0);
  DeviceFixture::RemoveAll(kAdapterText);
  AdapterDescription.clear();
  ProfileNameList.clear();
  CurrentProfileName = "Default";
}

ConfigPageTest::ConfigPageTest()
    : device_(kAdapterText, kDriverKey, AdapterHardwareId), key_(HKEY_LOCAL_MACHINE, kDriverPath) {}

ConfigPageTest::~ConfigPageTest() {
  window.DestroyWindow();
  ForcePlatformFamily(-1);
}

void ConfigPageTest::SetUp() {
  ASSERT_TRUE(device_.Registered());
  ASSERT_TRUE(key_.Created());
}

void ConfigPageTest::Open() {
  ASSERT_TRUE(window.Create(nullptr));
  ASSERT_NE(nullptr, window.PageTable(1));
}

void ConfigPageTest::ShowAndRefresh() {
  window.SelectPage(1);
  Page().OnTimer(CConfigPage::kRefreshTimerId);
}

namespace {

// The texts of a combo box's or list box's entries, read with the box's own count and text messages.
Names EntryTexts(HWND box, UINT countMessage, UINT textMessage) {
  Names items;
  const int count = static_cast<int>(::SendMessageA(box, countMessage, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[300] = {0};
    ::SendMessageA(box, textMessage, i, reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

}  // namespace

Names ConfigPageTest::ComboItems(int id) { return EntryTexts(Item(id), CB_GETCOUNT, CB_GETLBTEXT); }

Names ConfigPageTest::ListItems() { return EntryTexts(Item(IDC_PROFILE_LIST), LB_GETCOUNT, LB_GETTEXT); }

bool ConfigPageTest::CheckSaysModified() {
  Page().OnTimer(CConfigPage::kCheckTimerId);
  const bool apply = ::IsWindowEnabled(Item(IDC_CONFIG_APPLY)) != FALSE;
  EXPECT_EQ(apply, ::IsWindowEnabled(Item(IDC_CONFIG_CANCEL)) != FALSE) << "Apply and Cancel go together";
  return apply;
}

Stored ConfigPageTest::ReadStored(const std::string& profile) {
  Stored s = {"<missing>", 99, 99, 99, 99};
  RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\" + profile).c_str(), KEY_READ);
  if (!key.IsOpen()) return s;
  char text[64] = {0};
  DWORD size = sizeof(text);
  if (RegQueryValueExA(key.Get(), "SSID", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == 0) s.ssid = text;
  DWORD* const fields[] = {&s.netMode, &s.channel, &s.txRate, &s.powerMode};
  const char* const names[] = {"NETMODE", "CHANNEL", "TXRATE", "POWERMODE"};
  for (int i = 0; i < 4; ++i) {
    size = sizeof(DWORD);
    RegQueryValueExA(key.Get(), names[i], nullptr, nullptr, reinterpret_cast<BYTE*>(fields[i]), &size);
  }
  return s;
}

void ConfigPageTest::WriteStored(const std::string& profile, const Stored& settings) {
  WriteText(profile, "SSID", settings.ssid);
  WriteDword(profile, "NETMODE", settings.netMode);
  WriteDword(profile, "CHANNEL", settings.channel);
  WriteDword(profile, "TXRATE", settings.txRate);
  WriteDword(profile, "POWERMODE", settings.powerMode);
}

void ConfigPageTest::WriteDword(const std::string& sub, const char* name, DWORD value) {
  RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\" + sub).c_str());
  ASSERT_EQ(0, RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value)));
}

void ConfigPageTest::WriteText(const std::string& sub, const char* name, const std::string& text) {
  RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\" + sub).c_str());
  ASSERT_EQ(0, RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1)));
}

int32_t ConfigPageTest::ReadNumber(const std::string& sub, const char* name) {
  RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\" + sub).c_str(), KEY_READ);
  int32_t value = INT32_MIN;
  DWORD size = sizeof(value);
  if (!key.IsOpen() || RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size))
    return INT32_MIN;
  return value;
}

Names ConfigPageTest::ListValueNames() {
  Names names;
  RegKey list = RegKey::Open(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\ProfileList").c_str(), KEY_READ);
  char name[300];
  for (DWORD i = 0; list.IsOpen(); ++i) {
    DWORD length = sizeof(name);
    if (RegEnumValueA(list.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != 0) break;
    if (name[0]) names.emplace_back(name);
  }
  return names;
}

std::string ConfigPageTest::CurrentRecord() {
  RegKey list = RegKey::Open(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\ProfileList").c_str(), KEY_READ);
  char text[300] = {0};
  DWORD size = sizeof(text);
  if (!list.IsOpen() || RegQueryValueExA(list.Get(), "", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size))
    return "<none>";
  return text;
}

bool ConfigPageTest::KeyExists(const std::string& sub) {
  return RegKey::Open(HKEY_LOCAL_MACHINE, (std::string(kDriverPath) + "\\" + sub).c_str(), KEY_READ).IsOpen();
}

}  // namespace tarnel::test
