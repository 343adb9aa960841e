#include "crypto/MD5.h"

#include <cstring>

#include "crypto/SecureWipe.h"

namespace tarnel {
namespace {

// Word-wide volatile stores: the per-block wipe stays cheap next to the compression itself.
void WipeWords(std::uint32_t* words, unsigned count) {
  volatile std::uint32_t* p = words;
  for (unsigned i = 0; i < count; ++i) p[i] = 0;
}

std::uint32_t LoadLittleEndian(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void StoreLittleEndian(std::uint32_t value, unsigned char* p) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
  p[2] = static_cast<unsigned char>(value >> 16);
  p[3] = static_cast<unsigned char>(value >> 24);
}

inline std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

// Second pass: (b AND d) and (c AND NOT d) never share a set bit, so their sum equals G and the two
// halves can be added in independently of each other.
inline void StepG(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t word,
                  int shift, std::uint32_t constant) {
  a = b + RotateLeft(a + (c & ~d) + word + constant + (b & d), shift);
}

template <std::uint32_t (*Round)(std::uint32_t, std::uint32_t, std::uint32_t)>
inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t word,
                 int shift, std::uint32_t constant) {
  a = b + RotateLeft(a + Round(b, c, d) + word + constant, shift);
}

}  // namespace

void CMD5::Init(MD5Context* context) const {
  context->state[0] = 0x67452301u;
  context->state[1] = 0xefcdab89u;
  context->state[2] = 0x98badcfeu;
  context->state[3] = 0x10325476u;
  context->count[0] = 0;
  context->count[1] = 0;
}

void CMD5::Update(MD5Context* context, const unsigned char* input, std::uint32_t length) const {
  std::uint32_t used = (context->count[0] >> 3) & 0x3f;

  const std::uint32_t low_bits = length << 3;
  context->count[0] += low_bits;
  if (context->count[0] < low_bits) ++context->count[1];
  context->count[1] += length >> 29;

  std::uint32_t done = 0;
  const std::uint32_t room = 64 - used;
  if (length >= room) {
    std::memcpy(context->buffer + used, input, room);
    Transform(context->state, context->buffer);
    for (done = room; length - done >= 64; done += 64) Transform(context->state, input + done);
    used = 0;
  }
  if (length > done) std::memcpy(context->buffer + used, input + done, length - done);
}

void CMD5::Final(unsigned char digest[kMD5DigestSize], MD5Context* context) const {
  unsigned char bit_count[8];
  StoreLittleEndian(context->count[0], bit_count);
  StoreLittleEndian(context->count[1], bit_count + 4);

  // One 0x80 byte, then zeros up to 56 modulo 64: 1 to 64 bytes of fill.
  static const unsigned char kFill[64] = {0x80};
  const std::uint32_t used = (context->count[0] >> 3) & 0x3f;
  const std::uint32_t fill_length = used < 56 ? 56 - used : 120 - used;
  Update(context, kFill, fill_length);
  Update(context, bit_count, 8);

  for (int i = 0; i < 4; ++i) StoreLittleEndian(context->state[i], digest + 4 * i);
  SecureWipe(context, sizeof(*context));
}

void CMD5::Transform(std::uint32_t state[4], const unsigned char block[64]) const {
  std::uint32_t x[16];
  for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian(block + 4 * i);

  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];

  Step<F>(a, b, c, d, x[0], 7, 0xd76aa478u);
  Step<F>(d, a, b, c, x[1], 12, 0xe8c7b756u);
  Step<F>(c, d, a, b, x[2], 17, 0x242070dbu);
  Step<F>(b, c, d, a, x[3], 22, 0xc1bdceeeu);
  Step<F>(a, b, c, d, x[4], 7, 0xf57c0fafu);
  Step<F>(d, a, b, c, x[5], 12, 0x4787c62au);
  Step<F>(c, d, a, b, x[6], 17, 0xa8304613u);
  Step<F>(b, c, d, a, x[7], 22, 0xfd469501u);
  Step<F>(a, b, c, d, x[8], 7, 0x698098d8u);
  Step<F>(d, a, b, c, x[9], 12, 0x8b44f7afu);
  Step<F>(c, d, a, b, x[10], 17, 0xffff5bb1u);
  Step<F>(b, c, d, a, x[11], 22, 0x895cd7beu);
  Step<F>(a, b, c, d, x[12], 7, 0x6b901122u);
  Step<F>(d, a, b, c, x[13], 12, 0xfd987193u);
  Step<F>(c, d, a, b, x[14], 17, 0xa679438eu);
  Step<F>(b, c, d, a, x[15], 22, 0x49b40821u);

  StepG(a, b, c, d, x[1], 5, 0xf61e2562u);
  StepG(d, a, b, c, x[6], 9, 0xc040b340u);
  StepG(c, d, a, b, x[11], 14, 0x265e5a51u);
  StepG(b, c, d, a, x[0], 20, 0xe9b6c7aau);
  StepG(a, b, c, d, x[5], 5, 0xd62f105du);
  StepG(d, a, b, c, x[10], 9, 0x02441453u);
  StepG(c, d, a, b, x[15], 14, 0xd8a1e681u);
  StepG(b, c, d, a, x[4], 20, 0xe7d3fbc8u);
  StepG(a, b, c, d, x[9], 5, 0x21e1cde6u);
  StepG(d, a, b, c, x[14], 9, 0xc33707d6u);
  StepG(c, d, a, b, x[3], 14, 0xf4d50d87u);
  StepG(b, c, d, a, x[8], 20, 0x455a14edu);
  StepG(a, b, c, d, x[13], 5, 0xa9e3e905u);
  StepG(d, a, b, c, x[2], 9, 0xfcefa3f8u);
  StepG(c, d, a, b, x[7], 14, 0x676f02d9u);
  StepG(b, c, d, a, x[12], 20, 0x8d2a4c8au);

  Step<H>(a, b, c, d, x[5], 4, 0xfffa3942u);
  Step<H>(d, a, b, c, x[8], 11, 0x8771f681u);
  Step<H>(c, d, a, b, x[11], 16, 0x6d9d6122u);
  Step<H>(b, c, d, a, x[14], 23, 0xfde5380cu);
  Step<H>(a, b, c, d, x[1], 4, 0xa4beea44u);
  Step<H>(d, a, b, c, x[4], 11, 0x4bdecfa9u);
  Step<H>(c, d, a, b, x[7], 16, 0xf6bb4b60u);
  Step<H>(b, c, d, a, x[10], 23, 0xbebfbc70u);
  Step<H>(a, b, c, d, x[13], 4, 0x289b7ec6u);
  Step<H>(d, a, b, c, x[0], 11, 0xeaa127fau);
  Step<H>(c, d, a, b, x[3], 16, 0xd4ef3085u);
  Step<H>(b, c, d, a, x[6], 23, 0x04881d05u);
  Step<H>(a, b, c, d, x[9], 4, 0xd9d4d039u);
  Step<H>(d, a, b, c, x[12], 11, 0xe6db99e5u);
  Step<H>(c, d, a, b, x[15], 16, 0x1fa27cf8u);
  Step<H>(b, c, d, a, x[2], 23, 0xc4ac5665u);

  Step<I>(a, b, c, d, x[0], 6, 0xf4292244u);
  Step<I>(d, a, b, c, x[7], 10, 0x432aff97u);
  Step<I>(c, d, a, b, x[14], 15, 0xab9423a7u);
  Step<I>(b, c, d, a, x[5], 21, 0xfc93a039u);
  Step<I>(a, b, c, d, x[12], 6, 0x655b59c3u);
  Step<I>(d, a, b, c, x[3], 10, 0x8f0ccc92u);
  Step<I>(c, d, a, b, x[10], 15, 0xffeff47du);
  Step<I>(b, c, d, a, x[1], 21, 0x85845dd1u);
  Step<I>(a, b, c, d, x[8], 6, 0x6fa87e4fu);
  Step<I>(d, a, b, c, x[15], 10, 0xfe2ce6e0u);
  Step<I>(c, d, a, b, x[6], 15, 0xa3014314u);
  Step<I>(b, c, d, a, x[13], 21, 0x4e0811a1u);
  Step<I>(a, b, c, d, x[4], 6, 0xf7537e82u);
  Step<I>(d, a, b, c, x[11], 10, 0xbd3af235u);
  Step<I>(c, d, a, b, x[2], 15, 0x2ad7d2bbu);
  Step<I>(b, c, d, a, x[9], 21, 0xeb86d391u);

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;

  // The words are message bytes: leave no copy of them on the stack.
  WipeWords(x, 16);
}

void CMD5::DigestString(const char* text, unsigned char digest[kMD5DigestSize]) const {
  MD5Context context;
  Init(&context);
  Update(&context, reinterpret_cast<const unsigned char*>(text),
         static_cast<std::uint32_t>(std::strlen(text)));
  Final(digest, &context);
}

}  // namespace tarnel
