// Texts and figures of the link information page, worked out from what the driver-control
// library reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnel {

// "Scanning", "Associated", "Ad-Hoc", "Not Associated"; a state the library does not define
// gets a fixed text of its own, so the status field never grows from tick to tick.
const char* LinkStatusText(int32_t state);

// Scanning and not associated: no peer, no rate, no signal.
bool IsNoLinkState(int32_t state);

// The fastest rate whose flag is set ("11", "5.5", "2", "1"), or null when none is.
const char* HighestRateText(int32_t rate1, int32_t rate2, int32_t rate55, int32_t rate11);

// The text in a buffer the library fills: up to its terminator, but never past the buffer's
// end when the terminator is missing.
std::string BufferText(const char* buffer, size_t size);

// wParam of the link-status message: signal strength in the high word, quality in the low.
uint32_t LinkStatusWord(int32_t signal, int32_t quality);

// "57%".
std::string PercentText(int32_t value);

}  // namespace tarnel
