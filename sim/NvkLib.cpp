// NvkLib.dll, the simulated adapter: every NV_ export runs the shared state's SimAdapter under
// the state's lock. Without the shared state (the section cannot be mapped) the library behaves
// as a library with no adapter: NV_Initialize answers 0 and outputs stay as the caller preset them.
#include <windows.h>

#include <type_traits>

#include "SimAdapter.h"
#include "SimLock.h"
#include "SimSection.h"

using tarnel::sim::SimAdapter;
using tarnel::sim::SimLock;
using tarnel::sim::SimSection;
using tarnel::sim::SimState;

namespace {

SimState* SharedState() {
  static SimSection section;
  static const bool opened = section.Open();
  return opened ? section.State() : nullptr;
}

template <class Call>
void Run(Call call) {
  SimState* state = SharedState();
  if (!state) return;
  SimLock lock(*state);
  SimAdapter adapter(*state, GetTickCount());
  call(adapter);
}

template <class Result, class Call>
Result Answer(Result fallback, Call call) {
  SimState* state = SharedState();
  if (!state) return fallback;
  SimLock lock(*state);
  SimAdapter adapter(*state, GetTickCount());
  return call(adapter);
}

}  // namespace

extern "C" {

NvFlag NVAPI NV_Initialize(int32_t reserved) {
  return Answer<NvFlag>(0, [&](SimAdapter& a) { return a.Initialize(reserved); });
}

void NVAPI NV_Stop(void) {
  Run([](SimAdapter& a) { a.Stop(); });
}

NvFlag NVAPI NV_IsUnplug(void) {
  return Answer<NvFlag>(0, [](SimAdapter& a) { return a.IsUnplug(); });
}

NvFlag NVAPI NV_IsXPConfig(void) {
  return Answer<NvFlag>(0, [](SimAdapter& a) { return a.IsXPConfig(); });
}

NvFlag NVAPI NV_GetIsRadioOff(void) {
  return Answer<NvFlag>(0, [](SimAdapter& a) { return a.GetIsRadioOff(); });
}

void NVAPI NV_SetRadioOff(NvFlag off) {
  Run([&](SimAdapter& a) { a.SetRadioOff(off); });
}

void NVAPI NV_GetStatusLinkInfo(int32_t* state, int32_t* networkType, char* ssid36,
                                uint8_t* bssid8) {
  Run([&](SimAdapter& a) { a.GetStatusLinkInfo(state, networkType, ssid36, bssid8); });
}

void NVAPI NV_GetStatusSignalInfo(int32_t* signal, int32_t* quality) {
  Run([&](SimAdapter& a) { a.GetStatusSignalInfo(signal, quality); });
}

void NVAPI NV_GetStatusChannelInfo(int32_t* plan, int32_t* channel) {
  Run([&](SimAdapter& a) { a.GetStatusChannelInfo(plan, channel); });
}

void NVAPI NV_GetRates(int32_t* autoFlag, int32_t* rate1, int32_t* rate2, int32_t* rate55,
                       int32_t* rate11) {
  Run([&](SimAdapter& a) { a.GetRates(autoFlag, rate1, rate2, rate55, rate11); });
}

void NVAPI NV_GetMacAddressString(char* text20) {
  Run([&](SimAdapter& a) { a.GetMacAddressString(text20); });
}

void NVAPI NV_GetStatusDriverInfo(char* text260, int32_t* unused) {
  Run([&](SimAdapter& a) { a.GetStatusDriverInfo(text260, unused); });
}

void NVAPI NV_SetNetworkType(int32_t type) {
  Run([&](SimAdapter& a) { a.SetNetworkType(type); });
}

void NVAPI NV_SetSSID(const char* ssid) {
  Run([&](SimAdapter& a) { a.SetSSID(ssid); });
}

void NVAPI NV_SetChannel(int32_t channel) {
  Run([&](SimAdapter& a) { a.SetChannel(channel); });
}

void NVAPI NV_SetPowerSaveMode(int32_t mode) {
  Run([&](SimAdapter& a) { a.SetPowerSaveMode(mode); });
}

void NVAPI NV_SetRates(NvFlag autoFlag, int32_t rate1, int32_t rate2, int32_t rate55,
                       int32_t rate11) {
  Run([&](SimAdapter& a) { a.SetRates(autoFlag, rate1, rate2, rate55, rate11); });
}

void NVAPI NV_Rescan(void) {
  Run([](SimAdapter& a) { a.Rescan(); });
}

// The scan itself takes a while and blocks the caller, as the real survey does; the state
// stays unlocked meanwhile.
int32_t NVAPI NV_SiteSurvey(uint8_t* buffer13000) {
  if (SimState* state = SharedState()) {
    const DWORD delay = *static_cast<volatile uint32_t*>(&state->scanDelayMs);
    if (delay) Sleep(delay);
  }
  return Answer<int32_t>(0, [&](SimAdapter& a) { return a.SiteSurvey(buffer13000); });
}

void NVAPI NV_SetPrivacy(int32_t mode, int32_t keyBits) {
  Run([&](SimAdapter& a) { a.SetPrivacy(mode, keyBits); });
}

void NVAPI NV_SetAuthenticaionMode(int32_t mode) {
  Run([&](SimAdapter& a) { a.SetAuthenticaionMode(mode); });
}

void NVAPI NV_SetDefaultKeyID(int32_t key) {
  Run([&](SimAdapter& a) { a.SetDefaultKeyID(key); });
}

void NVAPI NV_SetWEPKey(int32_t key, int32_t length, const uint8_t* bytes) {
  Run([&](SimAdapter& a) { a.SetWEPKey(key, length, bytes); });
}

}  // extern "C"

// Every export has exactly the type the utility's table expects.
#define SIM_CHECK_SIGNATURE(name) \
  static_assert(std::is_same_v<decltype(&name), name##_t>, #name " matches its contract type");
NV_FUNCTIONS(SIM_CHECK_SIGNATURE)
#undef SIM_CHECK_SIGNATURE
