// The options of "profile set" and how they change a stored profile: texts of the pages' lists
// (any letter case), channel numbers of the adapter's plan, keys checked as the Encryption page
// takes them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/portable/Values.h"

namespace tarnel::cli {

struct ProfileEdits {
  std::optional<std::string> ssid, mode, channel, rate, power, autoConnect, priority, encryption, defaultKey,
      passphrase;
  std::array<std::optional<std::string>, 4> keys;
};

// Applies edits over the stored values. A new format starts with no keys and no passphrase, as
// the page clears them; a passphrase makes the keys; typed keys are filled up with "0" to the
// format's length. Returns the first problem (values then unusable), or "" when all is well.
std::string ApplyEdits(const ProfileEdits& edits, const std::vector<int>& channelPlan,
                       settings::ConfigurationValues* configuration, settings::EncryptionValues* encryption);

}  // namespace tarnel::cli
