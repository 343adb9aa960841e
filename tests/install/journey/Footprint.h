// What the package leaves on a system, read the way an administrator would look for it: the
// install folder, the Start-menu shortcut, the Add/Remove Programs entries, the autostart forms.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarnel::test {

constexpr char kProductName[] = "IEEE 802.11b WLAN Cardbus Utility";

// [ProgramFilesFolder]Norvik\WLAN Utility\ ("Program Files (x86)" on a 64-bit system).
std::string InstallFolder();

struct ArpEntry {
  std::string productCode;  // the entry's key name
  std::string publisher;
  std::string version;
  bool iconCached = false;  // the product's icon, as the installer registered and kept it
};

struct Footprint {
  std::vector<std::string> files;      // names in the install folder, sorted
  bool makerFolder = false;            // the "Norvik" folder above it exists
  std::vector<std::string> shortcuts;  // the utility's shortcut in the machine's or the user's menu
  std::string shortcutTarget;          // of the first, with its working folder
  std::string shortcutFolder;
  std::vector<ArpEntry> entries;       // with the product's name, in every registry view
  std::string runValue;                // the machine's Run value, empty when missing
  std::string task;                    // the scheduler's stored task, empty when missing
  std::string exeVersion;              // of the installed utility, empty when missing

  static Footprint Read();
};

}  // namespace tarnel::test
