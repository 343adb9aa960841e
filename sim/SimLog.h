// Call counters and the ring of logged calls inside the shared state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SimState.h"

namespace tarnel::sim {

struct SimLogLine {
  uint32_t seq;
  std::string text;
};

// The reading calls a page makes on every tick; kept out of the log unless logPolling is set.
bool IsPollingCall(NvCall call);

// Counts the call and, unless it is a polling call left out, appends text to the log.
void RecordCall(SimState& state, NvCall call, std::string_view text);

// Appends one line with the next sequence number; the oldest line gives way when full.
void AppendLog(SimState& state, std::string_view text);

// The readable lines, oldest first.
std::vector<SimLogLine> ReadLog(const SimState& state);

// Empties the log; sequence numbers keep running.
void ClearLog(SimState& state);

}  // namespace tarnel::sim
