// MD5 message digest (RFC 1321). The 128-bit passphrase keys are derived from it.
#pragma once

#include <cstdint>

#include "framework/portable/CmdTarget.h"

namespace tarnel {

// Digest state, supplied by the caller so one CMD5 object can serve any number of digests.
struct MD5Context {
  std::uint32_t state[4];   // chaining words A, B, C, D
  std::uint32_t count[2];   // message length in bits, modulo 2^64, low word first
  unsigned char buffer[64]; // input that has not yet filled a whole block
};

constexpr unsigned kMD5DigestSize = 16;

class CMD5 : public CCmdTarget {
 public:
  CMD5() = default;

  const char* GetRuntimeClassName() const override { return "CMD5"; }
  static CCmdTarget* CreateObject() { return new CMD5; }

  void Init(MD5Context* context) const;
  void Update(MD5Context* context, const unsigned char* input, std::uint32_t length) const;
  // Writes the digest, then zeroes every byte of the context: it serves again only after Init.
  void Final(unsigned char digest[kMD5DigestSize], MD5Context* context) const;
  // One 64-byte block into the chaining words.
  void Transform(std::uint32_t state[4], const unsigned char block[64]) const;

  // Digest of the bytes of a zero-terminated string before its terminator.
  void DigestString(const char* text, unsigned char digest[kMD5DigestSize]) const;
};

}  // namespace tarnel
