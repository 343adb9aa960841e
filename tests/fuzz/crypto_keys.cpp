// Key text handling and passphrase generation over arbitrary bytes: nothing may read or write past
// a buffer, and the results keep their shape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "crypto/HexKey.h"
#include "crypto/KeyFormat.h"
#include "crypto/MD5.h"
#include "crypto/PassphraseKeys.h"

namespace {

constexpr std::size_t kMaxInput = 1000;

void Check(bool condition) {
  if (!condition) std::abort();
}

void FuzzFillUp(const char* text, std::size_t length, tarnel::KeyFormat format) {
  const std::size_t wanted = static_cast<std::size_t>(tarnel::KeyTextLength(format));

  char area[tarnel::kKeyAreaSize];
  const std::size_t copied = length < sizeof(area) ? length : sizeof(area);
  std::memset(area, 0, sizeof(area));
  std::memcpy(area, text, copied);  // 260 bytes copied leave the area unterminated
  const std::size_t before = strnlen(area, sizeof(area));
  tarnel::FillUpKeyText(area, format);
  const std::size_t after = strnlen(area, sizeof(area));
  Check(after == (before < wanted ? wanted : before));
  Check(std::memcmp(area, text, before) == 0);

  std::string owned(text, length);
  tarnel::FillUpKeyText(&owned, format);
  Check(owned.size() == (length < wanted ? wanted : length));
}

void FuzzHex(const char* text, std::size_t length) {
  const unsigned char* bytes = tarnel::HexTextToBytes(text, length);
  const std::size_t used = (length + 1) / 2;
  for (std::size_t i = used; i < tarnel::kKeyAreaSize; ++i) Check(bytes[i] == 0);

  const std::string terminated(text, strnlen(text, length));
  tarnel::HexTextToBytes(terminated.c_str());
  if (tarnel::IsHexText(terminated.c_str())) {
    const std::size_t n = terminated.size() / 2 < tarnel::kKeyAreaSize ? terminated.size() / 2 : tarnel::kKeyAreaSize;
    const std::string digits = tarnel::FormatKeyHex(tarnel::HexTextToBytes(terminated.c_str()), n);
    std::string lower = terminated.substr(0, digits.size());
    for (char& c : lower) c = (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c;
    Check(digits == lower);
  }
}

void FuzzPassphrase(const char* passphrase, std::size_t length) {
  for (bool is64 : {true, false}) {
    unsigned char out[tarnel::kKeyAreaSize] = {};
    tarnel::GeneratePassphraseKeys(is64, passphrase, length, out);
    const std::size_t written = is64 ? tarnel::kPassphrase64KeyBytes : tarnel::kPassphrase128KeyBytes;
    for (std::size_t i = written; i < sizeof(out); ++i) Check(out[i] == 0);
    for (const std::string& key : tarnel::PassphraseKeyTexts(is64, passphrase, length))
      Check(key.size() == (length == 0 ? 0u : is64 ? 10u : 26u));
  }
}

void FuzzDigestPieces(const unsigned char* data, std::size_t length, std::size_t piece) {
  tarnel::CMD5 md5;
  tarnel::MD5Context whole, pieces;
  unsigned char one[tarnel::kMD5DigestSize], many[tarnel::kMD5DigestSize];
  md5.Init(&whole);
  md5.Update(&whole, data, static_cast<std::uint32_t>(length));
  md5.Final(one, &whole);
  md5.Init(&pieces);
  for (std::size_t done = 0; done < length; done += piece) {
    const std::size_t n = piece < length - done ? piece : length - done;
    md5.Update(&pieces, data + done, static_cast<std::uint32_t>(n));
  }
  md5.Final(many, &pieces);
  Check(std::memcmp(one, many, sizeof(one)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const tarnel::KeyFormat format = static_cast<int>(data[0] % 12) - 2;  // -2 to 9: off, 0-7, unknown
  const std::size_t piece = data[1] % 130 + 1;
  const std::size_t length = size - 2 < kMaxInput ? size - 2 : kMaxInput;
  // An exactly sized heap copy, so any read past the text is an overflow the sanitizer sees.
  std::vector<char> text(data + 2, data + 2 + length);
  const char* p = text.empty() ? "" : text.data();

  FuzzFillUp(p, length, format);
  FuzzHex(p, length);
  FuzzPassphrase(p, length);
  FuzzDigestPieces(data + 2, length, piece);
  return 0;
}
