// Owner of one kernel object handle (process, snapshot, event): closed when it goes out of scope.
#pragma once

#include <windows.h>

namespace tarnel {

class KernelHandle {
 public:
  KernelHandle() = default;
  // Both failure values of the platform's functions (null, INVALID_HANDLE_VALUE) make an empty owner.
  explicit KernelHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~KernelHandle();

  KernelHandle(KernelHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  KernelHandle& operator=(KernelHandle&& other) noexcept;
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace tarnel
