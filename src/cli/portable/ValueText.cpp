#include "cli/portable/ValueText.h"

#include <cstdint>
#include <cstdlib>

#include "crypto/HexKey.h"
#include "settings/portable/Values.h"

namespace tarnel::cli {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A decimal number of at most 9 digits and nothing else.
bool SmallNumber(const std::string& text, int* value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  *value = std::atoi(text.c_str());
  return true;
}

}  // namespace

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

ValueList NetModeList() { return {settings::kNetModeTexts.data(), settings::kNetModeCount}; }
ValueList TxRateList() { return {settings::kTxRateTexts.data(), settings::kTxRateCount}; }
ValueList PowerModeList() { return {settings::kPowerModeTexts.data(), settings::kPowerModeCount}; }

std::string ListText(const ValueList& list, int32_t position) {
  return position >= 0 && position < list.count ? list.texts[position] : kNoneText;
}

bool ListPosition(const ValueList& list, const std::string& text, int32_t* position) {
  for (int i = 0; i < list.count; ++i) {
    if (!SameTextIgnoringCase(text, list.texts[i])) continue;
    *position = i;
    return true;
  }
  return false;
}

std::string ListChoices(const ValueList& list) {
  std::string choices;
  for (int i = 0; i < list.count; ++i) choices += (i ? ", " : "") + std::string(list.texts[i]);
  return choices;
}

std::string FormatText(KeyFormat format) {
  if (format == kKeyFormatOff) return kOffText;
  const std::string text = KeyFormatListText(format);
  return text.empty() ? kNoneText : text;
}

bool FormatOf(const std::string& text, KeyFormat* format) {
  if (SameTextIgnoringCase(text, kOffText)) return *format = kKeyFormatOff, true;
  for (KeyFormat code = 0; code < kKeyFormatCount; ++code) {
    if (SameTextIgnoringCase(text, KeyFormatListText(code))) return *format = code, true;
  }
  return false;
}

std::string FormatChoices() {
  std::string choices = kOffText;
  for (KeyFormat code = 0; code < kKeyFormatCount; ++code) choices += std::string(", ") + KeyFormatListText(code);
  return choices;
}

std::string ChannelText(const std::vector<int>& plan, int32_t stored) {
  if (stored < 1 || stored > static_cast<int32_t>(plan.size())) return kNoneText;
  return std::to_string(plan[static_cast<size_t>(stored - 1)]);
}

bool ChannelOf(const std::vector<int>& plan, const std::string& text, int32_t* stored) {
  int number = 0;
  if (!SmallNumber(text, &number)) return false;
  for (size_t i = 0; i < plan.size(); ++i) {
    if (plan[i] == number) return *stored = static_cast<int32_t>(i + 1), true;
  }
  return false;
}

std::string ChannelChoices(const std::vector<int>& plan) {
  if (plan.empty()) return "none: the adapter reports no channel plan";
  return std::to_string(plan.front()) + " to " + std::to_string(plan.back());
}

std::string DefaultKeyText(int32_t keyIndex) {
  return keyIndex >= 0 && keyIndex <= 3 ? std::to_string(keyIndex + 1) : kNoneText;
}

bool DefaultKeyOf(const std::string& text, int32_t* keyIndex) {
  int number = 0;
  if (!SmallNumber(text, &number) || number < 1 || number > 4) return false;
  *keyIndex = number - 1;
  return true;
}

std::string AutoText(bool on) { return on ? "on" : kOffText; }

bool AutoOf(const std::string& text, bool* on) {
  if (SameTextIgnoringCase(text, "on")) return *on = true, true;
  if (SameTextIgnoringCase(text, kOffText)) return *on = false, true;
  return false;
}

bool PriorityOf(const std::string& text, int32_t* priority) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || digits.size() > 10) return false;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return false;
  *priority = static_cast<int32_t>(value);
  return true;
}

std::string TypedKeyProblem(KeyFormat format, const std::string& key) {
  if (format == kKeyFormatOff) return "encryption is off: there are no keys";
  if (IsPassphraseFormat(format)) return "the keys of a passphrase format come from --passphrase";
  const size_t length = static_cast<size_t>(KeyTextLength(format));
  const std::string name = KeyFormatListText(format);
  if (key.size() > length)
    return "has " + std::to_string(key.size()) + " characters; " + name + " keys have at most " + std::to_string(length);
  if (key.find('\0') != std::string::npos) return "holds a NUL character";
  if (IsHexKeyFormat(format) && !IsHexText(key.c_str())) return "is not hex digits, as " + name + " keys are";
  return std::string();
}

}  // namespace tarnel::cli
