// A JSON document read back into values, for checking what a program printed.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tarnel::test {

struct JsonValue {
  enum Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // \u escapes below 256 become that byte
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue> members;

  // A member or item; a null value when there is none.
  const JsonValue& operator[](const std::string& name) const;
  const JsonValue& operator[](size_t index) const;
  bool Has(const std::string& name) const { return members.count(name) != 0; }
};

// False unless text is exactly one JSON value (with blanks around it).
bool ParseJson(const std::string& text, JsonValue* value);

}  // namespace tarnel::test
