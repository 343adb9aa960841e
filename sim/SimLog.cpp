#include "SimLog.h"

#include <cstring>

#include "SimDefaults.h"

namespace tarnel::sim {

const char* NvCallName(NvCall call) {
  static const char* const kNames[] = {
#define SIM_NV_NAME(name) #name,
      NV_FUNCTIONS(SIM_NV_NAME)
#undef SIM_NV_NAME
  };
  const int i = static_cast<int>(call);
  return i >= 0 && i < kNvCallCount ? kNames[i] : "?";
}

bool IsPollingCall(NvCall call) {
  switch (call) {
    case NvCall::NV_IsUnplug:
    case NvCall::NV_IsXPConfig:
    case NvCall::NV_GetIsRadioOff:
    case NvCall::NV_GetStatusLinkInfo:
    case NvCall::NV_GetStatusSignalInfo:
    case NvCall::NV_GetStatusChannelInfo:
    case NvCall::NV_GetRates:
    case NvCall::NV_GetMacAddressString:
    case NvCall::NV_GetStatusDriverInfo:
      return true;
    default:
      return false;
  }
}

void RecordCall(SimState& state, NvCall call, std::string_view text) {
  const int i = static_cast<int>(call);
  if (i >= 0 && i < kNvCallCount) ++state.calls[i];
  if (!IsPollingCall(call) || state.logPolling) AppendLog(state, text);
}

void AppendLog(SimState& state, std::string_view text) {
  const uint32_t seq = state.logNext++;
  SimLogEntry& entry = state.log[seq % kLogCapacity];
  entry.seq = seq;
  CopyText(entry.text, sizeof(entry.text), text);
}

std::vector<SimLogLine> ReadLog(const SimState& state) {
  uint32_t first = state.logFirst;
  const uint32_t next = state.logNext;
  if (next - first > static_cast<uint32_t>(kLogCapacity)) first = next - kLogCapacity;
  std::vector<SimLogLine> lines;
  for (uint32_t seq = first; seq != next; ++seq) {
    const SimLogEntry& entry = state.log[seq % kLogCapacity];
    lines.push_back({seq, std::string(entry.text, strnlen(entry.text, sizeof(entry.text)))});
  }
  return lines;
}

void ClearLog(SimState& state) { state.logFirst = state.logNext; }

}  // namespace tarnel::sim
