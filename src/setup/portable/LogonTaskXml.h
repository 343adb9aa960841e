// The Task Scheduler definition that starts the utility at each user's logon with the highest
// rights that user has. On Windows Vista and later an elevated program listed under the
// registry's Run key is not started at logon; a task is. Platform-free: tested natively too.
#pragma once

#include <string>

namespace tarnel::setup {

// Task XML (version 1.2, Windows Vista and later) running `program` (a full path, UTF-8),
// as UTF-8 text; the caller passes it on in UTF-16, as its declaration says.
std::string LogonTaskXml(const std::string& program);

// The built-in Users group, by its well-known SID: group names differ by system language.
constexpr char kUsersGroupSid[] = "S-1-5-32-545";

}  // namespace tarnel::setup
