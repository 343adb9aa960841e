// Bounded reads and plain writes of the store's registry values. The stored type is ignored
// on reading: data that fits is taken, anything else counts as unreadable.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel {

// Reads a text into out (size bytes). Fails when the value is missing, larger than size, or
// fills all size bytes without a terminator; out is then left all zero. On success out is
// always terminated within size bytes.
bool ReadText(HKEY key, const char* name, char* out, size_t size);

// Reads at most 4 bytes; shorter data is taken as the low bytes of a zero value.
bool ReadInt32(HKEY key, const char* name, int32_t* out);

// REG_SZ of the text with its terminator; a null or empty name writes the unnamed value.
void WriteText(HKEY key, const char* name, const char* text);

// REG_SZ of zero data bytes: a list entry where only the name matters.
void WriteEmptyText(HKEY key, const char* name);

void WriteInt32(HKEY key, const char* name, int32_t value);

// A REG_MULTI_SZ as its texts; data without its final terminators still gives the texts it
// holds, and a missing or oversized value gives none. At most size bytes are read.
std::vector<std::string> ReadTexts(HKEY key, const char* name, size_t size);
void WriteTexts(HKEY key, const char* name, const std::vector<std::string>& texts);

}  // namespace tarnel
