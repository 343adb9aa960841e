#include "cli/portable/QuotedText.h"

#include <cstdio>

namespace tarnel::cli {

std::string QuotedText(const std::string& text, const char* byteEscape) {
  std::string out = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), byteEscape, byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace tarnel::cli
