// How the utility starts at each user's logon. On Windows Vista and later an elevated program
// listed under the Run key is not started at logon, so there it is a Task Scheduler task; on
// Windows 98, ME, 2000 and XP it is the machine's Run value. Both carry the one name below.
// Plain (ANSI) text throughout: on the 9x family the wide-character registry calls only fail.
#pragma once

#include <windows.h>

#include <string>

namespace tarnel::setup {

constexpr char kAutostartName[] = "IEEE 802.11b WLAN Cardbus Utility";
constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// True where the task is the form (Windows Vista and later).
bool UsesLogonTask();

// Makes program (a full path) start at logon in the form this system needs.
bool EnableAutostart(const std::string& program);
// Removes both forms, whichever exists: true when none is left.
bool DisableAutostart();

}  // namespace tarnel::setup
