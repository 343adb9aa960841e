// One JSON document built up in order, on one line. Texts are the bytes the adapter and the
// store hold: bytes above 127 are written as the Latin-1 characters of the same numbers, so the
// document is always valid UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::cli {

class JsonWriter {
 public:
  JsonWriter& BeginObject() { return Open('{'); }
  JsonWriter& EndObject() { return Close('}'); }
  JsonWriter& BeginArray() { return Open('['); }
  JsonWriter& EndArray() { return Close(']'); }
  // The name of the next member of an object.
  JsonWriter& Key(const char* name);
  JsonWriter& String(const std::string& text);
  JsonWriter& Number(int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // The document with a closing line end.
  std::string Text() const { return out_ + "\n"; }

 private:
  void BeforeValue();
  JsonWriter& Open(char bracket);
  JsonWriter& Close(char bracket);

  std::string out_;
  std::vector<bool> firstInLevel_;
  bool afterKey_ = false;
};

}  // namespace tarnel::cli
