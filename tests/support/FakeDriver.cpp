#include "FakeDriver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "adapter/NvLibrary.h"

namespace tarnel::test {

FakeDriver* FakeDriver::current_ = nullptr;

namespace {

FakeDriver& F() { return *FakeDriver::Current(); }

std::string Args(std::initializer_list<long long> values) {
  std::string text;
  for (long long value : values) text += (text.empty() ? "" : ",") + std::to_string(value);
  return text;
}

// Logs name(args) and returns the fake, ready to answer.
FakeDriver& Log(const char* name, const std::string& args = std::string()) {
  F().Record(std::string(name) + "(" + args + ")");
  return F();
}

std::string HexBytes(const uint8_t* bytes, int32_t length) {
  if (!bytes) return "null";
  std::string text;
  char pair[3];
  for (int32_t i = 0; i < length; ++i) {
    std::snprintf(pair, sizeof(pair), "%02x", bytes[i]);
    text += pair;
  }
  return text;
}

template <size_t N>
void Fill(std::array<char, N>& field, const std::string& text) {
  field.fill(0);
  std::memcpy(field.data(), text.data(), std::min(N, text.size()));
}

NvFlag NVAPI Fake_NV_Initialize(int32_t reserved) {
  return Log("NV_Initialize", Args({reserved})).initializeAnswer;
}
void NVAPI Fake_NV_Stop() { Log("NV_Stop"); }
NvFlag NVAPI Fake_NV_IsUnplug() { return Log("NV_IsUnplug").unplugged; }
NvFlag NVAPI Fake_NV_IsXPConfig() { return Log("NV_IsXPConfig").xpConfig; }
NvFlag NVAPI Fake_NV_GetIsRadioOff() { return Log("NV_GetIsRadioOff").radioOff; }
void NVAPI Fake_NV_SetRadioOff(NvFlag off) { Log("NV_SetRadioOff", Args({off})); }

void NVAPI Fake_NV_GetStatusLinkInfo(int32_t* state, int32_t* type, char* ssid36, uint8_t* bssid8) {
  FakeDriver& f = Log("NV_GetStatusLinkInfo");
  *state = f.linkState;
  *type = f.networkType;
  std::memcpy(ssid36, f.ssid.data(), f.ssid.size());
  std::memcpy(bssid8, f.bssid.data(), f.bssid.size());
}

void NVAPI Fake_NV_GetStatusSignalInfo(int32_t* signal, int32_t* quality) {
  FakeDriver& f = Log("NV_GetStatusSignalInfo");
  *signal = f.signal;
  *quality = f.quality;
}

void NVAPI Fake_NV_GetStatusChannelInfo(int32_t* plan, int32_t* channel) {
  FakeDriver& f = Log("NV_GetStatusChannelInfo");
  *plan = f.channelPlan;
  *channel = f.channel;
}

void NVAPI Fake_NV_GetRates(int32_t* autoFlag, int32_t* rate1, int32_t* rate2, int32_t* rate55,
                            int32_t* rate11) {
  FakeDriver& f = Log("NV_GetRates");
  *autoFlag = f.rates[0];
  *rate1 = f.rates[1];
  *rate2 = f.rates[2];
  *rate55 = f.rates[3];
  *rate11 = f.rates[4];
}

void NVAPI Fake_NV_GetMacAddressString(char* text20) {
  FakeDriver& f = Log("NV_GetMacAddressString");
  std::memcpy(text20, f.macText.data(), f.macText.size());
}

void NVAPI Fake_NV_GetStatusDriverInfo(char* text260, int32_t*) {
  FakeDriver& f = Log("NV_GetStatusDriverInfo");
  std::memcpy(text260, f.driverInfo.data(), f.driverInfo.size());
}

void NVAPI Fake_NV_SetNetworkType(int32_t type) { Log("NV_SetNetworkType", Args({type})); }
void NVAPI Fake_NV_SetSSID(const char* ssid) { Log("NV_SetSSID", ssid ? ssid : "null"); }
void NVAPI Fake_NV_SetChannel(int32_t channel) { Log("NV_SetChannel", Args({channel})); }
void NVAPI Fake_NV_SetPowerSaveMode(int32_t mode) { Log("NV_SetPowerSaveMode", Args({mode})); }
void NVAPI Fake_NV_SetRates(NvFlag autoFlag, int32_t r1, int32_t r2, int32_t r55, int32_t r11) {
  Log("NV_SetRates", Args({autoFlag, r1, r2, r55, r11}));
}
void NVAPI Fake_NV_Rescan() { Log("NV_Rescan"); }

int32_t NVAPI Fake_NV_SiteSurvey(uint8_t* buffer) {
  FakeDriver& f = Log("NV_SiteSurvey");
  const size_t written = std::min<size_t>(f.survey.size(), NV_SURVEY_MAX_ENTRIES);
  if (written) std::memcpy(buffer, f.survey.data(), written * sizeof(SiteSurveyEntry));
  return f.surveyCount >= 0 ? f.surveyCount : static_cast<int32_t>(f.survey.size());
}

void NVAPI Fake_NV_SetPrivacy(int32_t mode, int32_t bits) { Log("NV_SetPrivacy", Args({mode, bits})); }
void NVAPI Fake_NV_SetAuthenticaionMode(int32_t mode) { Log("NV_SetAuthenticaionMode", Args({mode})); }
void NVAPI Fake_NV_SetDefaultKeyID(int32_t key) { Log("NV_SetDefaultKeyID", Args({key})); }
void NVAPI Fake_NV_SetWEPKey(int32_t key, int32_t length, const uint8_t* bytes) {
  Log("NV_SetWEPKey", Args({key, length}) + "," + HexBytes(bytes, length));
}

NvFunctions Trampolines() {
  NvFunctions table;
#define FAKE_ENTRY(name) table.name = Fake_##name;
  NV_FUNCTIONS(FAKE_ENTRY)
#undef FAKE_ENTRY
  return table;
}

bool IsStatusRead(const std::string& call) {
  return call.compare(0, 6, "NV_Get") == 0 || call.compare(0, 5, "NV_Is") == 0;
}

}  // namespace

FakeDriver::FakeDriver() {
  current_ = this;
  InstallNvFunctions(Trampolines());
}

FakeDriver::~FakeDriver() {
  InstallNvFunctions(SafeNvFunctions());
  current_ = nullptr;
}

void FakeDriver::SetSsid(const std::string& text) { Fill(ssid, text); }
void FakeDriver::SetMacText(const std::string& text) { Fill(macText, text); }
void FakeDriver::SetDriverInfo(const std::string& text) { Fill(driverInfo, text); }

void FakeDriver::Record(std::string call) {
  calls_.push_back(call);
  if (onCall) onCall(call);
}

std::vector<std::string> FakeDriver::NonPollingCalls() const {
  std::vector<std::string> settings;
  for (const std::string& call : calls_) {
    if (!IsStatusRead(call)) settings.push_back(call);
  }
  return settings;
}

}  // namespace tarnel::test
