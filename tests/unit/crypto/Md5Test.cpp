#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "crypto/HexKey.h"
#include "crypto/MD5.h"

namespace tarnel {
namespace {

std::string DigestHex(const unsigned char* digest) { return FormatKeyHex(digest, kMD5DigestSize); }

std::string DigestOfString(const char* text) {
  unsigned char digest[kMD5DigestSize];
  CMD5().DigestString(text, digest);
  return DigestHex(digest);
}

// Message bytes (i * 131 + 17) mod 256: every byte value, including zeros, appears.
std::vector<unsigned char> Pattern(std::size_t n) {
  std::vector<unsigned char> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<unsigned char>(i * 131 + 17);
  return bytes;
}

std::string DigestInPieces(const std::vector<unsigned char>& message, std::size_t piece) {
  CMD5 md5;
  MD5Context context;
  md5.Init(&context);
  for (std::size_t done = 0; done < message.size(); done += piece) {
    md5.Update(&context, message.data() + done, 0);
    const std::size_t n = std::min(piece, message.size() - done);
    md5.Update(&context, message.data() + done, static_cast<std::uint32_t>(n));
  }
  unsigned char digest[kMD5DigestSize];
  md5.Final(digest, &context);
  return DigestHex(digest);
}

TEST(CMD5, Rfc1321TestSuite) {
  struct Case { const char* text; const char* digest; };
  // RFC 1321, appendix A.5 (checked against Python's hashlib.md5).
  const Case cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.digest, DigestOfString(c.text)) << "message \"" << c.text << "\"";
}

TEST(CMD5, DigestStringStopsAtFirstZeroByte) {
  EXPECT_EQ(DigestOfString("abc"), DigestOfString("abc\0def"));
}

TEST(CMD5, LengthsAroundTheFillBoundary) {
  // Expected digests computed with Python's hashlib.md5 over the same pattern bytes.
  struct Case { std::size_t length; const char* digest; };
  const Case cases[] = {
      {55, "96799d8bf84d94466fb1d4785f0eae6c"},  // fill of 1 byte
      {56, "bf9c6bb58c938814a38d99d564393a53"},  // fill of 64 bytes
      {63, "35692891f16306d06ba365a887de5dd3"},
      {64, "c99cacee8808c930ea7a2a5f79a58599"},  // two blocks in all
      {65, "99f97c2c46e2953fc2c2b315db172a78"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.digest, DigestInPieces(Pattern(c.length), c.length)) << c.length << " bytes";
}

TEST(CMD5, PiecesOfEverySizeGiveTheSameDigest) {
  // 300 pattern bytes; digest from Python's hashlib.md5. Each piece is preceded by an empty update.
  const std::vector<unsigned char> message = Pattern(300);
  for (std::size_t piece = 1; piece <= 130; ++piece)
    EXPECT_EQ("3b73a72047ae4d67604ae833a20fea2a", DigestInPieces(message, piece)) << "pieces of " << piece;
}

TEST(CMD5, ContextIsAllZerosAfterFinal) {
  CMD5 md5;
  MD5Context context;
  md5.Init(&context);
  const std::vector<unsigned char> message = Pattern(100);  // leaves 36 bytes in the buffer
  md5.Update(&context, message.data(), 100);
  unsigned char digest[kMD5DigestSize];
  md5.Final(digest, &context);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&context);
  for (std::size_t i = 0; i < sizeof(context); ++i) EXPECT_EQ(0, bytes[i]) << "context byte " << i;
}

TEST(CMD5, InterleavedContextsOnOneObject) {
  CMD5 md5;
  MD5Context first, second;
  md5.Init(&first);
  md5.Init(&second);
  md5.Update(&first, reinterpret_cast<const unsigned char*>("ab"), 2);
  md5.Update(&second, reinterpret_cast<const unsigned char*>("message "), 8);
  md5.Update(&first, reinterpret_cast<const unsigned char*>("c"), 1);
  md5.Update(&second, reinterpret_cast<const unsigned char*>("digest"), 6);
  unsigned char digest[kMD5DigestSize];
  md5.Final(digest, &first);
  EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", DigestHex(digest));
  md5.Final(digest, &second);
  EXPECT_EQ("f96b697d7cb7938d525a2f31aaf161d0", DigestHex(digest));
}

TEST(CMD5, BitCountCarriesIntoHighWord) {
  CMD5 md5;
  MD5Context context{};  // the buffer is read by the block this update completes
  md5.Init(&context);
  context.count[0] = 0xfffffff8u;  // one byte short of 2^32 bits
  md5.Update(&context, reinterpret_cast<const unsigned char*>("xy"), 2);
  EXPECT_EQ(8u, context.count[0]);
  EXPECT_EQ(1u, context.count[1]);
}

TEST(CMD5, DynamicCreationAndClassName) {
  std::unique_ptr<CCmdTarget> object(CMD5::CreateObject());
  ASSERT_NE(nullptr, object);
  EXPECT_STREQ("CMD5", object->GetRuntimeClassName());
}

}  // namespace
}  // namespace tarnel
