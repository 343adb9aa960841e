// The lines of nvkctl watch: one an event, as text ("TIME connected ssid="Office" ...") or as a
// JSON object, with the fields named as status --json names them.
#pragma once

#include <string>

#include "settings/portable/LinkEvents.h"

namespace tarnel::cli {

struct LocalTime {
  int year, month, day, hour, minute, second, millisecond;
};

// ISO 8601 with milliseconds: "2026-12-09T10:15:02.415".
std::string TimestampText(const LocalTime& t);

std::string EventLine(const LinkEvent& event, const std::string& time, bool json);
// One reading's figures ("sample" lines); 0 without a link.
std::string SampleLine(const LinkReading& reading, const std::string& time, bool json);

}  // namespace tarnel::cli
