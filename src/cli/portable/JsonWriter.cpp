#include "cli/portable/JsonWriter.h"

#include "cli/portable/QuotedText.h"

namespace tarnel::cli {

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (firstInLevel_.empty()) return;
  if (!firstInLevel_.back()) out_ += ',';
  firstInLevel_.back() = false;
}

JsonWriter& JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  firstInLevel_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
  out_ += bracket;
  firstInLevel_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::Key(const char* name) {
  String(name);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(const std::string& text) {
  BeforeValue();
  out_ += QuotedText(text, "\\u%04x");
  return *this;
}

JsonWriter& JsonWriter::Number(int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

}  // namespace tarnel::cli
