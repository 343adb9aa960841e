// Profile values as the texts the pages show, and back: list entries matched without regard to
// case, channels as the numbers of the adapter's channel plan, "none" where a list has no
// selection. Shared by "profile show", "profile set" and the profile file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "crypto/KeyFormat.h"

namespace tarnel::cli {

constexpr char kNoneText[] = "none";
constexpr char kOffText[] = "off";

struct ValueList {
  const char* const* texts;
  int count;
};
ValueList NetModeList();
ValueList TxRateList();
ValueList PowerModeList();

// The entry at position; "none" outside the list.
std::string ListText(const ValueList& list, int32_t position);
// The position of the entry text names; false when none does.
bool ListPosition(const ValueList& list, const std::string& text, int32_t* position);
// "Ad Hoc, Infrastructure"
std::string ListChoices(const ValueList& list);

// "off", a format list text, or "none" for a code outside -1 to 7.
std::string FormatText(KeyFormat format);
bool FormatOf(const std::string& text, KeyFormat* format);
std::string FormatChoices();

// The channel number a stored channel (position + 1) stands for; "none" outside the plan.
std::string ChannelText(const std::vector<int>& plan, int32_t stored);
bool ChannelOf(const std::vector<int>& plan, const std::string& text, int32_t* stored);
std::string ChannelChoices(const std::vector<int>& plan);

// "1" to "4" for key index 0 to 3; "none" otherwise.
std::string DefaultKeyText(int32_t keyIndex);
bool DefaultKeyOf(const std::string& text, int32_t* keyIndex);

// Connecting automatically: "on" or "off", read back in any letter case.
std::string AutoText(bool on);
bool AutoOf(const std::string& text, bool* on);

// A priority: decimal digits, a minus sign in front for a negative one, within 32 bits.
bool PriorityOf(const std::string& text, int32_t* priority);
constexpr char kPriorityChoices[] = "a whole number from -2147483648 to 2147483647";

// Why a typed key does not fit the format ("" when it does): too long, or not hex digits in a
// hex format; in a passphrase format keys are not typed, and with encryption off there are none.
std::string TypedKeyProblem(KeyFormat format, const std::string& key);

// Equal without regard to ASCII letter case.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

}  // namespace tarnel::cli
