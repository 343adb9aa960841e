// The profile file that "nvkctl export" writes and "nvkctl import" reads: a first line naming the
// format, then one section per profile with every stored value, as the texts the pages show.
//
//   nvkctl profiles 2
//   [profile "Home"]
//   ssid = "tarnel-lab"
//   mode = Infrastructure
//   channel = 6
//   rate = Auto
//   power = Disable
//   auto = on               (connect automatically: on or off)
//   priority = 10           (signed; higher is preferred)
//   encryption = 64-bit ASCII
//   default-key = 1
//   key1 = "home1"          (key1 to key4 and passphrase: all or none)
//   passphrase = ""
//
// Names, network names, keys and the passphrase are quoted; inside the quotes \\, \" and \xHH
// stand for a backslash, a quote and any byte. Blank lines and lines starting with # are passed
// over. "none" stands for a list with no selection. Version 1 files, without auto and priority,
// read as off and 0; a file of a later version than 2 is refused.
#pragma once

#include <string>
#include <vector>

#include "settings/portable/Values.h"

namespace tarnel::cli {

struct ProfileRecord {
  std::string name;
  settings::ConfigurationValues configuration;
  settings::EncryptionValues encryption;
  bool withKeys = false;  // the keys and the passphrase are part of the record
};

// The file's text. channelPlan turns stored channels into channel numbers.
std::string FormatProfileFile(const std::vector<ProfileRecord>& profiles, const std::vector<int>& channelPlan);

struct ProfileFileReading {
  std::vector<ProfileRecord> profiles;
  int line = 0;       // of the first problem
  std::string error;  // empty when the whole file is usable
};

// Reads and checks the whole file: every value must be one the pages could have stored, with the
// channels of channelPlan. A problem stops the reading; no record is usable then.
ProfileFileReading ReadProfileFile(const std::string& text, const std::vector<int>& channelPlan);

}  // namespace tarnel::cli
