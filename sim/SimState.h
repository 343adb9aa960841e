// The simulated adapter's whole state, shared by every process that loads NvkLib.dll or
// CMSetup.dll or runs the control tool: one named section of the paging file.
// Plain data of fixed-width fields only, so i686 and x86_64 processes agree on the layout.
#pragma once

#include <cstddef>
#include <cstdint>

#include "adapter/NvApi.h"

namespace tarnel::sim {

constexpr char kSectionName[] = "NvkSimState";
constexpr uint32_t kStateMagic = 0x534B564E;  // "NVKS"
constexpr uint32_t kStateVersion = 1;

constexpr int kMaxNetworks = NV_SURVEY_MAX_ENTRIES;
constexpr int kLogCapacity = 256;
constexpr int kLogLineSize = 124;
constexpr int kWepKeyMaxBytes = 32;
constexpr int kSsidMax = 32;
constexpr int kMacTextSize = NV_MAC_TEXT_BUFFER;
constexpr int kDriverTextSize = NV_DRIVER_INFO_BUFFER;

// One value per NV_ function, in the library's own order: indexes the call counters.
enum class NvCall : int32_t {
#define SIM_NV_CALL(name) name,
  NV_FUNCTIONS(SIM_NV_CALL)
#undef SIM_NV_CALL
      Count
};
constexpr int kNvCallCount = static_cast<int>(NvCall::Count);
static_assert(kNvCallCount == kNvFunctionCount, "one counter per export");

// The export name of a call, e.g. "NV_SetChannel".
const char* NvCallName(NvCall call);

struct SimLogEntry {
  uint32_t seq;
  char text[kLogLineSize];  // always NUL-terminated
};

struct SimState {
  // Header: written once at creation; a reset leaves it alone.
  uint32_t magic;
  uint32_t version;
  uint32_t size;
  int32_t lockOwner;  // process id holding SimLock, 0 when free

  // Everything from here on is what a reset restores.
  int32_t initializeAnswer;  // what NV_Initialize answers
  int32_t unplugged;
  int32_t xpConfig;
  int32_t radioOff;

  // The link as the adapter reports it. linkState is reported verbatim, also outside 0..3,
  // except that a radio that is off reads "Not Associated".
  int32_t linkState;
  int32_t networkType;  // 0 ad hoc, 1 infrastructure
  int32_t channelPlan;
  int32_t channel;
  int32_t linkSignal;  // the figure the moving signal swings around
  int32_t signalFrozen;
  int32_t frozenSignal;
  int32_t frozenQuality;

  // Settings as last given by the setting calls.
  int32_t setNetworkType;
  int32_t setChannel;
  int32_t powerSaveMode;
  int32_t ratesAuto;
  int32_t rates[4];  // 1, 2, 5.5, 11 Mbps: 0 off, 1 supported, 2 basic
  int32_t privacyMode;
  int32_t privacyKeyBits;
  int32_t authenticationMode;
  int32_t defaultKeyId;
  int32_t wepKeySet[4];
  int32_t wepKeyLength[4];

  // Timing: association completes associationDelayMs after a rescan; surveys take scanDelayMs.
  int32_t associationPending;
  uint32_t associateAtTick;
  uint32_t associationDelayMs;
  uint32_t scanDelayMs;

  // Misbehaviour, to test callers against a library that breaks its contract.
  int32_t ssidUnterminated;        // link SSID fills all 36 bytes, no NUL
  int32_t macUnterminated;         // MAC text fills all 20 bytes, no NUL
  int32_t driverTextUnterminated;  // driver text fills all 260 bytes, no NUL
  int32_t surveySsidsFull;         // every survey record's SSID padded to 32 bytes
  int32_t surveyCountForced;       // NV_SiteSurvey returns surveyCount whatever it wrote
  int32_t surveyCount;

  // CMSetup.dll steering.
  int32_t devNodeProblem;      // -1 ask the platform, else answer success with this problem
  int32_t devNodeStatusFails;  // nonzero: answer failure
  uint32_t devNodeCalls;

  // Counters and the call log (a ring; entry of sequence s at log[s % kLogCapacity]).
  uint32_t calls[kNvCallCount];
  int32_t logPolling;  // also log the polling calls
  uint32_t logNext;    // sequence number of the next line
  uint32_t logFirst;   // lowest sequence still readable after a clear

  int32_t networkCount;
  char ssid[kSsidMax + 4];     // associated network, NUL-terminated
  char setSsid[kSsidMax + 4];  // as last given by NV_SetSSID
  uint8_t bssid[8];
  uint8_t wepKeys[4][kWepKeyMaxBytes];
  char macText[kMacTextSize];        // NUL-terminated within the buffer
  char driverText[kDriverTextSize];  // NUL-terminated within the buffer
  SiteSurveyEntry networks[kMaxNetworks];
  SimLogEntry log[kLogCapacity];
};

// The same layout on both targets: fixed-width fields, no pointers, 4-byte alignment at most.
static_assert(alignof(SimState) == 4, "no 8-byte fields");
static_assert(sizeof(SimState) == 46560, "layout shared by i686 and x86_64 processes");
static_assert(offsetof(SimState, networks) % 2 == 0, "records start on an even offset");

}  // namespace tarnel::sim
