#include "JsonValue.h"

#include <cstdlib>
#include <cstring>

namespace tarnel::test {
namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  bool Document(JsonValue* value) {
    if (!Value(value)) return false;
    Blanks();
    return at_ == s_.size();
  }

 private:
  void Blanks() {
    while (at_ < s_.size() && std::strchr(" \t\r\n", s_[at_])) ++at_;
  }
  bool Take(char c) {
    Blanks();
    if (at_ >= s_.size() || s_[at_] != c) return false;
    ++at_;
    return true;
  }
  bool Word(const char* word) {
    const size_t n = std::strlen(word);
    if (s_.compare(at_, n, word) != 0) return false;
    at_ += n;
    return true;
  }
  bool String(std::string* out) {
    if (!Take('"')) return false;
    while (at_ < s_.size() && s_[at_] != '"') {
      char c = s_[at_++];
      if (c == '\\') {
        if (at_ >= s_.size()) return false;
        const char e = s_[at_++];
        const char* simple = std::strchr("\"\\/bfnrt", e);
        if (e == 'u') {
          if (at_ + 4 > s_.size()) return false;
          const long code = std::strtol(s_.substr(at_, 4).c_str(), nullptr, 16);
          if (code > 255) return false;
          c = static_cast<char>(code);
          at_ += 4;
        } else if (simple) {
          c = "\"\\/\b\f\n\r\t"[simple - "\"\\/bfnrt"];
        } else {
          return false;
        }
      }
      *out += c;
    }
    return Take('"');
  }
  bool Value(JsonValue* v) {
    Blanks();
    if (at_ >= s_.size()) return false;
    const char c = s_[at_];
    if (c == '{') return Object(v);
    if (c == '[') return Array(v);
    if (c == '"') return v->kind = JsonValue::kString, String(&v->text);
    if (Word("true")) return v->kind = JsonValue::kBool, v->boolean = true, true;
    if (Word("false")) return v->kind = JsonValue::kBool, true;
    if (Word("null")) return true;
    char* end = nullptr;
    v->number = std::strtod(s_.c_str() + at_, &end);
    if (end == s_.c_str() + at_) return false;
    at_ = static_cast<size_t>(end - s_.c_str());
    v->kind = JsonValue::kNumber;
    return true;
  }
  bool Object(JsonValue* v) {
    v->kind = JsonValue::kObject;
    Take('{');
    if (Take('}')) return true;
    do {
      std::string name;
      if (!String(&name) || !Take(':') || !Value(&v->members[name])) return false;
    } while (Take(','));
    return Take('}');
  }
  bool Array(JsonValue* v) {
    v->kind = JsonValue::kArray;
    Take('[');
    if (Take(']')) return true;
    do {
      v->items.emplace_back();
      if (!Value(&v->items.back())) return false;
    } while (Take(','));
    return Take(']');
  }

  const std::string& s_;
  size_t at_ = 0;
};

const JsonValue kNullValue;

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
  const auto found = members.find(name);
  return found == members.end() ? kNullValue : found->second;
}

const JsonValue& JsonValue::operator[](size_t index) const { return index < items.size() ? items[index] : kNullValue; }

bool ParseJson(const std::string& text, JsonValue* value) { return Parser(text).Document(value); }

}  // namespace tarnel::test
