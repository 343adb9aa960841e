// Whether anything under the adapter's driver key changed, by the platform's change notice, so
// that what keeps a copy of stored values reads them again only when another program (nvkctl, an
// import) or this one wrote something. Without a driver key to watch it answers "changed" always,
// which is reading every time as before.
#pragma once

#include "framework/KernelHandle.h"
#include "framework/RegKey.h"

namespace tarnel {

class StoreWatch {
 public:
  StoreWatch();
  StoreWatch(const StoreWatch&) = delete;
  StoreWatch& operator=(const StoreWatch&) = delete;

  // True when something changed since the last Restart, or when nothing is watched.
  bool Changed() const;
  // Watches from now on; call it just before reading the store.
  void Restart();

 private:
  bool Signalled() const;

  KernelHandle m_event;
  RegKey m_key;
  bool m_armed = false;
};

}  // namespace tarnel
