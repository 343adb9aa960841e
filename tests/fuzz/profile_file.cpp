// The import parser over arbitrary bytes: it never reads past its text, a refusal leaves no
// profile, and whatever it accepts is written back to a text that reads to the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/portable/ProfileFile.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<int> kPlan = {10, 11, 12, 13};
  const std::string text(reinterpret_cast<const char*>(data), size);
  const tarnel::cli::ProfileFileReading reading = tarnel::cli::ReadProfileFile(text, kPlan);
  if (!reading.error.empty()) {
    Check(reading.profiles.empty() && reading.line >= 1);
    return 0;
  }
  const std::string written = tarnel::cli::FormatProfileFile(reading.profiles, kPlan);
  const tarnel::cli::ProfileFileReading again = tarnel::cli::ReadProfileFile(written, kPlan);
  Check(again.error.empty() && again.profiles.size() == reading.profiles.size());
  Check(tarnel::cli::FormatProfileFile(again.profiles, kPlan) == written);
  return 0;
}
