#include "crypto/PassphraseKeys.h"

#include <cstdint>

#include "crypto/HexKey.h"
#include "crypto/MD5.h"
#include "crypto/SecureWipe.h"

namespace tarnel {
namespace {

constexpr std::size_t kDigestBlockSize = 64;

// Every passphrase byte is folded into one of four seed bytes; the seed drives a linear
// congruential generator whose bits 16-23 are the key bytes.
void Generate64(const char* passphrase, std::size_t length, unsigned char* output) {
  unsigned char seed[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < length; ++i) seed[i % 4] ^= static_cast<unsigned char>(passphrase[i]);
  std::uint32_t x = static_cast<std::uint32_t>(seed[0]) | static_cast<std::uint32_t>(seed[1]) << 8 |
                    static_cast<std::uint32_t>(seed[2]) << 16 | static_cast<std::uint32_t>(seed[3]) << 24;
  for (std::size_t i = 0; i < kPassphrase64KeyBytes; ++i) {
    x = x * 214013u + 2531011u;
    output[i] = static_cast<unsigned char>(x >> 16);
  }
  SecureWipe(seed, sizeof(seed));
}

// The passphrase repeated (or cut) to 64 bytes, digested. The block is digested by its length, so a
// zero byte inside the passphrase cannot shorten the message.
void Generate128(const char* passphrase, std::size_t length, unsigned char* output) {
  unsigned char block[kDigestBlockSize];
  for (std::size_t i = 0; i < kDigestBlockSize; ++i)
    block[i] = static_cast<unsigned char>(passphrase[i % length]);
  CMD5 md5;
  MD5Context context;
  md5.Init(&context);
  md5.Update(&context, block, kDigestBlockSize);
  md5.Final(output, &context);
  SecureWipe(block, sizeof(block));
}

}  // namespace

void GeneratePassphraseKeys(bool is64, const char* passphrase, std::size_t length,
                            unsigned char (&output)[kKeyAreaSize]) {
  if (length == 0) return;
  if (is64)
    Generate64(passphrase, length, output);
  else
    Generate128(passphrase, length, output);
}

std::array<std::string, 4> PassphraseKeyTexts(bool is64, const char* passphrase, std::size_t length) {
  std::array<std::string, 4> texts;
  if (length == 0) return texts;
  unsigned char bytes[kKeyAreaSize] = {};
  GeneratePassphraseKeys(is64, passphrase, length, bytes);
  if (is64) {
    const std::size_t key_bytes = static_cast<std::size_t>(KeyByteLength(kKeyFormat64Passphrase));
    for (std::size_t n = 0; n < texts.size(); ++n) texts[n] = FormatKeyHex(bytes + n * key_bytes, key_bytes);
  } else {
    const std::string text = FormatKeyHex(bytes, static_cast<std::size_t>(KeyByteLength(kKeyFormat128Passphrase)));
    texts.fill(text);
  }
  SecureWipe(bytes, sizeof(bytes));
  return texts;
}

}  // namespace tarnel
