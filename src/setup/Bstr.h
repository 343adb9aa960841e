// Owner of one COM string (BSTR): freed when it goes out of scope.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace tarnel::setup {

class Bstr {
 public:
  explicit Bstr(const std::wstring& text);
  ~Bstr();
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR Get() const { return text_; }
  // A string argument passed by value.
  VARIANT AsVariant() const;

 private:
  BSTR text_;
};

}  // namespace tarnel::setup
