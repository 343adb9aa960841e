#include "settings/portable/LinkTexts.h"

#include <cstdio>

namespace tarnel {

const char* LinkStatusText(int32_t state) {
  switch (state) {
    case 0:
      return "Scanning";
    case 1:
      return "Associated";
    case 2:
      return "Ad-Hoc";
    case 3:
      return "Not Associated";
    default:
      return "Unknown";
  }
}

bool IsNoLinkState(int32_t state) { return state == 0 || state == 3; }

const char* HighestRateText(int32_t rate1, int32_t rate2, int32_t rate55, int32_t rate11) {
  if (rate11) return "11";
  if (rate55) return "5.5";
  if (rate2) return "2";
  if (rate1) return "1";
  return nullptr;
}

std::string BufferText(const char* buffer, size_t size) {
  size_t length = 0;
  while (length < size && buffer[length] != '\0') ++length;
  return std::string(buffer, length);
}

uint32_t LinkStatusWord(int32_t signal, int32_t quality) {
  return (static_cast<uint32_t>(signal) & 0xFFFFu) << 16 | (static_cast<uint32_t>(quality) & 0xFFFFu);
}

std::string PercentText(int32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%d%%", static_cast<int>(value));
  return text;
}

}  // namespace tarnel
