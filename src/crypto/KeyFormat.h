// WEP key formats: the entries of the encryption page's format list and what each one means for
// key text, key bytes and the driver's privacy setting.
#pragma once

#include <cstddef>
#include <string>

namespace tarnel {

// Signed key-format code; -1 is encryption off, 0 to 7 index the format list (stored as "WEP").
using KeyFormat = int;

constexpr KeyFormat kKeyFormatOff = -1;
constexpr KeyFormat kKeyFormat64Ascii = 0;
constexpr KeyFormat kKeyFormat64Hex = 1;
constexpr KeyFormat kKeyFormat128Ascii = 2;
constexpr KeyFormat kKeyFormat128Hex = 3;
constexpr KeyFormat kKeyFormat64Passphrase = 4;
constexpr KeyFormat kKeyFormat128Passphrase = 5;
constexpr KeyFormat kKeyFormat64Tkip = 6;
constexpr KeyFormat kKeyFormat128Tkip = 7;

constexpr int kKeyFormatCount = 8;     // list entries 0 to 7
constexpr std::size_t kKeyAreaSize = 260;  // a key text (259 characters and a zero) or key bytes

// The list entry text of codes 0 to 7; "" for any other code.
const char* KeyFormatListText(KeyFormat format);

// Characters a typed key is filled up to; 0 (no fill-up) for passphrase formats, -1 and unknown codes.
int KeyTextLength(KeyFormat format);

// Key bytes the driver receives per key: 5 or 13; 0 for -1 and unknown codes.
int KeyByteLength(KeyFormat format);

// True where key text is hex digits that decode to the key bytes (formats 1, 3, 4, 5, 6, 7).
bool IsHexKeyFormat(KeyFormat format);

// True for the two formats whose keys come from the passphrase (4, 5).
bool IsPassphraseFormat(KeyFormat format);

// Privacy mode and key size handed to the driver.
struct PrivacySetting {
  int mode;
  int key_size;
};

// False (no privacy call) for codes outside -1 to 7.
bool PrivacyForFormat(KeyFormat format, PrivacySetting* setting);

// Appends "0" characters to a text shorter than KeyTextLength(format); longer texts are kept.
// The area version never reads or writes past the area, terminated or not.
void FillUpKeyText(char (&area)[kKeyAreaSize], KeyFormat format);
void FillUpKeyText(std::string* text, KeyFormat format);

}  // namespace tarnel
