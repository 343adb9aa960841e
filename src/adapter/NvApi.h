// The driver-control library's calling contract: extern "C", __cdecl, undecorated names,
// flags of one byte, 32-bit integers, buffers owned by the caller.
// Shared by the utility (which loads NvkLib.dll by name) and by the simulated adapter.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define NVAPI __cdecl
#else
#define NVAPI
#endif

typedef unsigned char NvFlag;  // nonzero = yes

// Sizes of the caller's buffers.
enum : int {
  NV_SSID_BUFFER = 36,
  NV_BSSID_BUFFER = 8,
  NV_MAC_TEXT_BUFFER = 20,
  NV_DRIVER_INFO_BUFFER = 260,
  NV_SURVEY_ENTRY_SIZE = 50,
  NV_SURVEY_MAX_ENTRIES = 260,
  NV_SURVEY_BUFFER = NV_SURVEY_ENTRY_SIZE * NV_SURVEY_MAX_ENTRIES,  // 13000
};

// Link states reported by NV_GetStatusLinkInfo.
enum NvLinkState : int32_t {
  NV_LINK_SCANNING = 0,
  NV_LINK_ASSOCIATED = 1,
  NV_LINK_AD_HOC = 2,
  NV_LINK_NOT_ASSOCIATED = 3,
};

// One network in range as NV_SiteSurvey writes it: 50 bytes, no gaps.
#pragma pack(push, 1)
struct SiteSurveyEntry {
  uint8_t networkType;  // 0 ad hoc, other values infrastructure
  char ssid[32];        // NUL-padded; a 32-byte name has no terminator
  uint8_t bssid[6];
  uint8_t signal;       // percent
  uint8_t channel;
  uint8_t wep;          // 0 off, other values on
  uint8_t rates[8];     // 802.11 Supported Rates: bits 0-6 in 500 kbit/s, bit 7 basic; 0 ends early
};
#pragma pack(pop)
static_assert(sizeof(SiteSurveyEntry) == NV_SURVEY_ENTRY_SIZE, "SiteSurveyEntry is 50 bytes");

extern "C" {
typedef NvFlag(NVAPI* NV_Initialize_t)(int32_t reserved);
typedef void(NVAPI* NV_Stop_t)(void);
typedef NvFlag(NVAPI* NV_IsUnplug_t)(void);
typedef NvFlag(NVAPI* NV_IsXPConfig_t)(void);
typedef NvFlag(NVAPI* NV_GetIsRadioOff_t)(void);
typedef void(NVAPI* NV_SetRadioOff_t)(NvFlag off);
typedef void(NVAPI* NV_GetStatusLinkInfo_t)(int32_t* state, int32_t* networkType, char* ssid36,
                                            uint8_t* bssid8);
typedef void(NVAPI* NV_GetStatusSignalInfo_t)(int32_t* signal, int32_t* quality);
typedef void(NVAPI* NV_GetStatusChannelInfo_t)(int32_t* plan, int32_t* channel);
typedef void(NVAPI* NV_GetRates_t)(int32_t* autoFlag, int32_t* rate1, int32_t* rate2, int32_t* rate55,
                                   int32_t* rate11);
typedef void(NVAPI* NV_GetMacAddressString_t)(char* text20);
typedef void(NVAPI* NV_GetStatusDriverInfo_t)(char* text260, int32_t* unused);
typedef void(NVAPI* NV_SetNetworkType_t)(int32_t type);
typedef void(NVAPI* NV_SetSSID_t)(const char* ssid);
typedef void(NVAPI* NV_SetChannel_t)(int32_t channel);
typedef void(NVAPI* NV_SetPowerSaveMode_t)(int32_t mode);
typedef void(NVAPI* NV_SetRates_t)(NvFlag autoFlag, int32_t rate1, int32_t rate2, int32_t rate55,
                                   int32_t rate11);
typedef void(NVAPI* NV_Rescan_t)(void);
typedef int32_t(NVAPI* NV_SiteSurvey_t)(uint8_t* buffer13000);
typedef void(NVAPI* NV_SetPrivacy_t)(int32_t mode, int32_t keyBits);
typedef void(NVAPI* NV_SetAuthenticaionMode_t)(int32_t mode);
typedef void(NVAPI* NV_SetDefaultKeyID_t)(int32_t key);
typedef void(NVAPI* NV_SetWEPKey_t)(int32_t key, int32_t length, const uint8_t* bytes);
}

// Every export in the library's own order; X(name) expands once per function.
#define NV_FUNCTIONS(X)                                                                         \
  X(NV_Initialize) X(NV_Stop) X(NV_IsUnplug) X(NV_IsXPConfig) X(NV_GetIsRadioOff)              \
  X(NV_SetRadioOff) X(NV_GetStatusLinkInfo) X(NV_GetStatusSignalInfo) X(NV_GetStatusChannelInfo) \
  X(NV_GetRates) X(NV_GetMacAddressString) X(NV_GetStatusDriverInfo) X(NV_SetNetworkType)       \
  X(NV_SetSSID) X(NV_SetChannel) X(NV_SetPowerSaveMode) X(NV_SetRates) X(NV_Rescan)             \
  X(NV_SiteSurvey) X(NV_SetPrivacy) X(NV_SetAuthenticaionMode) X(NV_SetDefaultKeyID)            \
  X(NV_SetWEPKey)

// The table through which the utility reaches the library.
struct NvFunctions {
#define NV_TABLE_ENTRY(name) name##_t name;
  NV_FUNCTIONS(NV_TABLE_ENTRY)
#undef NV_TABLE_ENTRY
};

constexpr int kNvFunctionCount = 23;
