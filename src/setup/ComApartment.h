// COM for the current thread, entered for the scope of the object.
#pragma once

#include <windows.h>

namespace tarnel::setup {

class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Entered() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace tarnel::setup
