// Hex key text: two digits per key byte, high half first.
#pragma once

#include <cstddef>
#include <string>

#include "crypto/KeyFormat.h"

namespace tarnel {

// "0"-"9" give 0-9, "a"-"f" and "A"-"F" give 10-15, any other character 0.
int HexDigitValue(char character);

// True if every character is a hex digit; an empty text counts as hex.
bool IsHexText(const char* text);

// Each byte as two lower-case hex digits, no separators.
std::string FormatKeyHex(const unsigned char* bytes, std::size_t count);

// Decodes hex text into an area of kKeyAreaSize bytes that this function owns: zeroed at every
// call, reused by the next one, so copy the bytes out first. Non-hex characters count as 0; an odd
// last digit becomes the high half of a final byte. Text beyond 2 * kKeyAreaSize characters is not
// decoded, as its bytes would not fit the area.
const unsigned char* HexTextToBytes(const char* text);
const unsigned char* HexTextToBytes(const char* text, std::size_t length);

}  // namespace tarnel
