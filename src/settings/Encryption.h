// The encryption half of a profile: format, default key, four key texts and the passphrase,
// as values. Saving comes first, then privacy, authentication, the default key and the four
// keys go to the driver in that order. The Encryption page and the command line both go
// through here. The profile holds key texts, never key bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "crypto/KeyFormat.h"
#include "settings/portable/Values.h"

namespace tarnel::settings {

// The profile's stored encryption over values; what the store cannot read keeps the given value.
void LoadEncryption(const std::string& profile, EncryptionValues* values);

// Saves values under profile as they are; nothing is sent.
void SaveEncryption(const std::string& profile, const EncryptionValues& values);

// Saves values under profile and sends them to the driver. Keys are expected filled up to the
// format's length (FillUpKeys); no default key means key 1.
void ApplyEncryption(const std::string& profile, EncryptionValues values);

// Each key cut to what a key box holds and filled up with "0" to the format's length.
void FillUpKeys(EncryptionValues* values);

// The four key texts a passphrase gives in a passphrase format: empty for an empty passphrase.
std::array<std::string, 4> PassphraseKeys(KeyFormat format, const std::string& passphrase);

// Stored values as the Encryption page shows and collects them: an unknown format is off, a
// passphrase format shows the keys of its passphrase, keys are filled up, and a default key
// outside 0 to 3 leaves keyIndexShown, the one the page showed before.
EncryptionValues EncryptionAsShown(EncryptionValues stored, int32_t keyIndexShown);

}  // namespace tarnel::settings
