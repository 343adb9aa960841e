// MD5 throughput over a 1 MiB message, ours beside OpenSSL's when it is available.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "crypto/MD5.h"

#ifdef TARNEL_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

namespace {

constexpr std::size_t kMessageSize = 1 << 20;
constexpr int kRepeats = 64;  // digests per timed round
constexpr int kRounds = 7;    // best round is reported

volatile unsigned char g_sink;  // keeps the digests alive

template <typename Digest>
double BestMegabytesPerSecond(const std::vector<unsigned char>& message, Digest digest) {
  double best = 0;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRepeats; ++i) digest(message);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    const double rate = kRepeats * (kMessageSize / 1e6) / seconds.count();
    if (rate > best) best = rate;
  }
  return best;
}

void OurDigest(const std::vector<unsigned char>& message) {
  tarnel::CMD5 md5;
  tarnel::MD5Context context;
  unsigned char digest[tarnel::kMD5DigestSize];
  md5.Init(&context);
  md5.Update(&context, message.data(), static_cast<std::uint32_t>(message.size()));
  md5.Final(digest, &context);
  g_sink = digest[0];
}

#ifdef TARNEL_HAVE_OPENSSL
void OpenSslDigest(const std::vector<unsigned char>& message) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EVP_Digest(message.data(), message.size(), digest, &size, EVP_md5(), nullptr);
  g_sink = digest[0];
}
#endif

}  // namespace

int main() {
  std::vector<unsigned char> message(kMessageSize);
  for (std::size_t i = 0; i < message.size(); ++i) message[i] = static_cast<unsigned char>(i * 131 + 17);

  const double ours = BestMegabytesPerSecond(message, OurDigest);
  std::printf("CMD5     %8.1f MB/s (1 MiB message, best of %d rounds of %d)\n", ours, kRounds, kRepeats);
#ifdef TARNEL_HAVE_OPENSSL
  const double theirs = BestMegabytesPerSecond(message, OpenSslDigest);
  std::printf("OpenSSL  %8.1f MB/s\n", theirs);
  std::printf("ratio    %8.2f (CMD5 / OpenSSL)\n", ours / theirs);
#else
  std::printf("OpenSSL not found: no comparison\n");
#endif
  return 0;
}
