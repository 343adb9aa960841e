#include "crypto/HexKey.h"

#include <cstring>

namespace tarnel {

int HexDigitValue(char character) {
  if (character >= '0' && character <= '9') return character - '0';
  if (character >= 'a' && character <= 'f') return character - 'a' + 10;
  if (character >= 'A' && character <= 'F') return character - 'A' + 10;
  return 0;
}

bool IsHexText(const char* text) {
  for (; *text; ++text) {
    const char c = *text;
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex) return false;
  }
  return true;
}

std::string FormatKeyHex(const unsigned char* bytes, std::size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(2 * count);
  for (std::size_t i = 0; i < count; ++i) {
    text.push_back(kDigits[bytes[i] >> 4]);
    text.push_back(kDigits[bytes[i] & 0x0f]);
  }
  return text;
}

const unsigned char* HexTextToBytes(const char* text) {
  return HexTextToBytes(text, std::strlen(text));
}

const unsigned char* HexTextToBytes(const char* text, std::size_t length) {
  static unsigned char area[kKeyAreaSize];
  std::memset(area, 0, sizeof(area));
  for (std::size_t i = 0; i < length && i / 2 < kKeyAreaSize; i += 2) {
    // An odd last digit pairs with the text's end, which counts as 0.
    const int low = i + 1 < length ? HexDigitValue(text[i + 1]) : 0;
    area[i / 2] = static_cast<unsigned char>(HexDigitValue(text[i]) * 16 + low);
  }
  return area;
}

}  // namespace tarnel
