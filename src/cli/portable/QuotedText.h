// A text in double quotes as nvkctl writes it, in the profile file and in JSON alike: a quote
// or a backslash gets a backslash before it, and a byte outside printable ASCII is written with
// the given printf escape of its number ("\\x%02X" in the file, "\\u%04x" in JSON).
#pragma once

#include <string>

namespace tarnel::cli {

std::string QuotedText(const std::string& text, const char* byteEscape);

}  // namespace tarnel::cli
