#include "settings/Encryption.h"

#include <cstring>

#include "adapter/NvLibrary.h"
#include "crypto/HexKey.h"
#include "crypto/PassphraseKeys.h"
#include "crypto/SecureWipe.h"
#include "profiles/ProfileStore.h"

namespace tarnel::settings {
namespace {

// Authentication mode every apply hands to the driver.
constexpr int32_t kAuthenticationMode = 2;
// Key length of the key calls when encryption is off (they carry no key data).
constexpr int32_t kNoKeyLength = 5;

using KeyAreas = char[4][kKeyAreaSize];

// The bytes each key call sends: the text's character bytes, or in a hex format its decoded
// bytes, in an area longer than any key so the driver never reads past it.
void FillKeyAreas(const EncryptionValues& values, KeyAreas& areas) {
  std::memset(areas, 0, sizeof(KeyAreas));
  for (int i = 0; i < 4; ++i) {
    char* area = areas[i];
    values.keys[i].copy(area, kMaxKeyTextLength);
    if (!IsHexKeyFormat(values.format)) continue;
    const std::size_t length = std::strlen(area);
    // The decoder's area is reused by the next call: take the bytes out now.
    std::memcpy(area, HexTextToBytes(area, length), length);
  }
}

void SendEncryption(const EncryptionValues& values) {
  const NvFunctions& nv = Nv();
  PrivacySetting privacy = {0, 0};
  if (PrivacyForFormat(values.format, &privacy)) nv.NV_SetPrivacy(privacy.mode, privacy.key_size);
  nv.NV_SetAuthenticaionMode(kAuthenticationMode);
  nv.NV_SetDefaultKeyID(values.keyIndex);

  KeyAreas areas;
  FillKeyAreas(values, areas);
  const int32_t keyLength = KeyByteLength(values.format);
  for (int32_t slot = 0; slot < 4; ++slot) {
    if (keyLength > 0)
      nv.NV_SetWEPKey(slot, keyLength, reinterpret_cast<const uint8_t*>(areas[slot]));
    else
      nv.NV_SetWEPKey(slot, kNoKeyLength, nullptr);
  }
  SecureWipe(areas, sizeof(areas));
}

}  // namespace

void LoadEncryption(const std::string& profile, EncryptionValues* values) {
  LoadProfileEncryption(profile.c_str(), &values->format, &values->keyIndex, &values->keys[0], &values->keys[1],
                        &values->keys[2], &values->keys[3], &values->passphrase);
}

void SaveEncryption(const std::string& profile, const EncryptionValues& values) {
  SaveProfileEncryption(profile.c_str(), values.format, values.keyIndex, values.keys[0].c_str(),
                        values.keys[1].c_str(), values.keys[2].c_str(), values.keys[3].c_str(),
                        values.passphrase.c_str());
}

void ApplyEncryption(const std::string& profile, EncryptionValues values) {
  if (values.keyIndex == -1) values.keyIndex = 0;
  SaveEncryption(profile, values);
  SendEncryption(values);
}

void FillUpKeys(EncryptionValues* values) {
  for (std::string& key : values->keys) {
    if (key.size() > kMaxKeyTextLength) key.resize(kMaxKeyTextLength);
    FillUpKeyText(&key, values->format);
  }
}

std::array<std::string, 4> PassphraseKeys(KeyFormat format, const std::string& passphrase) {
  return PassphraseKeyTexts(format == kKeyFormat64Passphrase, passphrase.data(), passphrase.size());
}

EncryptionValues EncryptionAsShown(EncryptionValues stored, int32_t keyIndexShown) {
  if (stored.format < kKeyFormatOff || stored.format >= kKeyFormatCount) stored.format = kKeyFormatOff;
  if (stored.keyIndex < 0 || stored.keyIndex > 3) stored.keyIndex = keyIndexShown;
  if (IsPassphraseFormat(stored.format)) stored.keys = PassphraseKeys(stored.format, stored.passphrase);
  FillUpKeys(&stored);
  return stored;
}

}  // namespace tarnel::settings
