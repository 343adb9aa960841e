#include "framework/KernelHandle.h"

namespace tarnel {

KernelHandle::~KernelHandle() {
  if (handle_ != nullptr) ::CloseHandle(handle_);
}

KernelHandle& KernelHandle::operator=(KernelHandle&& other) noexcept {
  if (this != &other) {
    if (handle_ != nullptr) ::CloseHandle(handle_);
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

}  // namespace tarnel
