// A profile's two halves as values, and the texts of the lists the pages show them in.
// Platform-free: the pages, the settings layer and nvkctl's profile file share them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "crypto/KeyFormat.h"

namespace tarnel::settings {

// What the driver's and the store's 33-byte buffers hold.
constexpr int kMaxNetworkNameLength = 32;

// Entries of the Configuration page's lists, by position (the dialog template holds the same).
constexpr int kNetModeCount = 2;
constexpr int kTxRateCount = 5;
constexpr int kPowerModeCount = 3;
extern const std::array<const char*, kNetModeCount> kNetModeTexts;
extern const std::array<const char*, kTxRateCount> kTxRateTexts;
extern const std::array<const char*, kPowerModeCount> kPowerModeTexts;

// Positions in the page's lists; the channel is the position in the channel plan + 1. -1 (0 for
// the channel) stands for no selection.
struct ConfigurationValues {
  std::string ssid;  // at most kMaxNetworkNameLength characters
  int32_t netMode = 1;
  int32_t channel = 1;
  int32_t txRate = 0;
  int32_t powerMode = 0;
  // Known-network choice: not sent to the driver.
  bool autoConnect = false;
  int32_t priority = 0;  // higher is preferred

  bool operator==(const ConfigurationValues& other) const;
  bool operator!=(const ConfigurationValues& other) const { return !(*this == other); }
};

struct EncryptionValues {
  KeyFormat format = kKeyFormatOff;
  int32_t keyIndex = 1;  // 0 to 3; -1 when no default key is chosen
  std::array<std::string, 4> keys;
  std::string passphrase;
};

// The longest text a key box or the passphrase box gives back.
constexpr std::size_t kMaxKeyTextLength = kKeyAreaSize - 1;

}  // namespace tarnel::settings
