#include "crypto/KeyFormat.h"

#include <cstring>

namespace tarnel {
namespace {

struct FormatRow {
  const char* list_text;
  int text_length;
  int key_bytes;
  bool hex;
  bool passphrase;
  PrivacySetting privacy;
};

// Rows for codes 0 to 7, in list order.
const FormatRow kFormats[kKeyFormatCount] = {
    {"64-bit ASCII", 5, 5, false, false, {1, 64}},
    {"64-bit Hex", 10, 5, true, false, {1, 64}},
    {"128-bit ASCII", 13, 13, false, false, {1, 128}},
    {"128-bit Hex", 26, 13, true, false, {1, 128}},
    {"64-bit Passphrase", 0, 5, true, true, {1, 64}},
    {"128-bit Passphrase", 0, 13, true, true, {1, 128}},
    {"64-bit TKIP", 10, 5, true, false, {2, 64}},
    {"128-bit TKIP", 26, 13, true, false, {2, 128}},
};

const FormatRow* FindFormat(KeyFormat format) {
  if (format < 0 || format >= kKeyFormatCount) return nullptr;
  return &kFormats[format];
}

}  // namespace

const char* KeyFormatListText(KeyFormat format) {
  const FormatRow* row = FindFormat(format);
  return row ? row->list_text : "";
}

int KeyTextLength(KeyFormat format) {
  const FormatRow* row = FindFormat(format);
  return row ? row->text_length : 0;
}

int KeyByteLength(KeyFormat format) {
  const FormatRow* row = FindFormat(format);
  return row ? row->key_bytes : 0;
}

bool IsHexKeyFormat(KeyFormat format) {
  const FormatRow* row = FindFormat(format);
  return row && row->hex;
}

bool IsPassphraseFormat(KeyFormat format) {
  const FormatRow* row = FindFormat(format);
  return row && row->passphrase;
}

bool PrivacyForFormat(KeyFormat format, PrivacySetting* setting) {
  if (format == kKeyFormatOff) {
    *setting = PrivacySetting{0, 64};
    return true;
  }
  const FormatRow* row = FindFormat(format);
  if (!row) return false;
  *setting = row->privacy;
  return true;
}

void FillUpKeyText(char (&area)[kKeyAreaSize], KeyFormat format) {
  const std::size_t wanted = static_cast<std::size_t>(KeyTextLength(format));
  // An area without a terminator counts as full: it is longer than any fill-up length.
  const void* end = std::memchr(area, '\0', kKeyAreaSize);
  const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - area)
                                 : kKeyAreaSize;
  if (length >= wanted) return;
  std::memset(area + length, '0', wanted - length);
  area[wanted] = '\0';
}

void FillUpKeyText(std::string* text, KeyFormat format) {
  const std::size_t wanted = static_cast<std::size_t>(KeyTextLength(format));
  if (text->size() < wanted) text->append(wanted - text->size(), '0');
}

}  // namespace tarnel
