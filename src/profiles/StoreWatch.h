// Whether anything under the adapter's driver key changed, by the platform's change notice, so
// that what keeps a copy of stored values reads them again only when another program (nvkctl, an
// import) or this one wrote something. Where the notice cannot be had (no driver key, or the 9x
// family, which lacks it) it answers "changed" every kUnwatchedMs of the caller's clock instead.
#pragma once

#include <cstdint>

#include "framework/KernelHandle.h"
#include "framework/RegKey.h"

namespace tarnel {

class StoreWatch {
 public:
  StoreWatch();
  StoreWatch(const StoreWatch&) = delete;
  StoreWatch& operator=(const StoreWatch&) = delete;

  static constexpr uint32_t kUnwatchedMs = 5000;

  // True when something changed since the last Restart; unwatched, at most every kUnwatchedMs
  // (nowMs: the caller's clock, compared by unsigned difference).
  bool Changed(uint32_t nowMs);
  // Watches from now on; call it just before reading the store.
  void Restart();

 private:
  bool Signalled() const;

  KernelHandle m_event;
  RegKey m_key;
  bool m_armed = false;
  bool m_asked = false;  // unwatched: "changed" was answered at m_askedAt
  uint32_t m_askedAt = 0;
};

}  // namespace tarnel
