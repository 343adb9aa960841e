#include "cli/portable/ProfileEdits.h"

#include "cli/portable/ValueText.h"
#include "crypto/PassphraseKeys.h"

namespace tarnel::cli {
namespace {

using settings::ConfigurationValues;
using settings::EncryptionValues;

std::string ListEdit(const std::optional<std::string>& text, const ValueList& list, const char* option,
                     int32_t* value) {
  if (!text || ListPosition(list, *text, value)) return std::string();
  return std::string(option) + " '" + *text + "' is not one of " + ListChoices(list);
}

std::string ConfigurationEdits(const ProfileEdits& edits, const std::vector<int>& plan, ConfigurationValues* values) {
  if (edits.ssid && edits.ssid->size() > static_cast<size_t>(settings::kMaxNetworkNameLength))
    return "--ssid has " + std::to_string(edits.ssid->size()) + " characters; a network name has at most 32";
  if (edits.ssid) values->ssid = *edits.ssid;
  if (edits.channel && !ChannelOf(plan, *edits.channel, &values->channel))
    return "--channel '" + *edits.channel + "' is not in the adapter's channel plan (" + ChannelChoices(plan) + ")";
  std::string problem = ListEdit(edits.mode, NetModeList(), "--mode", &values->netMode);
  if (problem.empty()) problem = ListEdit(edits.rate, TxRateList(), "--rate", &values->txRate);
  if (problem.empty()) problem = ListEdit(edits.power, PowerModeList(), "--power", &values->powerMode);
  if (problem.empty() && edits.autoConnect && !AutoOf(*edits.autoConnect, &values->autoConnect))
    problem = "--auto '" + *edits.autoConnect + "' is neither on nor off";
  if (problem.empty() && edits.priority && !PriorityOf(*edits.priority, &values->priority))
    problem = "--priority '" + *edits.priority + "' is not " + kPriorityChoices;
  return problem;
}

bool TouchesEncryption(const ProfileEdits& edits) {
  bool any = edits.encryption || edits.defaultKey || edits.passphrase;
  for (const auto& key : edits.keys) any = any || key.has_value();
  return any;
}

// The format first: a new one clears the keys and the passphrase.
std::string FormatEdit(const ProfileEdits& edits, EncryptionValues* values) {
  if (!edits.encryption) return std::string();
  KeyFormat format = kKeyFormatOff;
  if (!FormatOf(*edits.encryption, &format))
    return "--encryption '" + *edits.encryption + "' is not one of " + FormatChoices();
  if (format != values->format) {
    values->keys = {};
    values->passphrase.clear();
  }
  values->format = format;
  return std::string();
}

std::string PassphraseEdit(const ProfileEdits& edits, EncryptionValues* values) {
  if (!edits.passphrase) return std::string();
  if (!IsPassphraseFormat(values->format))
    return "--passphrase needs a passphrase format (--encryption \"64-bit Passphrase\" or \"128-bit Passphrase\")";
  if (edits.passphrase->size() > settings::kMaxKeyTextLength) return "--passphrase is longer than 259 characters";
  values->passphrase = *edits.passphrase;
  values->keys = PassphraseKeyTexts(values->format == kKeyFormat64Passphrase, values->passphrase.data(),
                                    values->passphrase.size());
  return std::string();
}

std::string KeyEdits(const ProfileEdits& edits, EncryptionValues* values) {
  for (size_t i = 0; i < edits.keys.size(); ++i) {
    if (!edits.keys[i]) continue;
    const std::string problem = TypedKeyProblem(values->format, *edits.keys[i]);
    if (!problem.empty()) return "--key" + std::to_string(i + 1) + " " + problem;
    values->keys[i] = *edits.keys[i];
  }
  if (edits.defaultKey && !DefaultKeyOf(*edits.defaultKey, &values->keyIndex))
    return "--default-key '" + *edits.defaultKey + "' is not 1, 2, 3 or 4";
  for (std::string& key : values->keys) FillUpKeyText(&key, values->format);
  return std::string();
}

}  // namespace

std::string ApplyEdits(const ProfileEdits& edits, const std::vector<int>& channelPlan,
                       ConfigurationValues* configuration, EncryptionValues* encryption) {
  std::string problem = ConfigurationEdits(edits, channelPlan, configuration);
  if (!problem.empty() || !TouchesEncryption(edits)) return problem;
  problem = FormatEdit(edits, encryption);
  if (problem.empty()) problem = PassphraseEdit(edits, encryption);
  if (problem.empty()) problem = KeyEdits(edits, encryption);
  return problem;
}

}  // namespace tarnel::cli
