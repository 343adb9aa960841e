// The link's readings since start-up, the latest 2000 (ten minutes of 300 ms ticks) in a fixed
// ring: adding one never allocates. Read oldest first by index.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/portable/LinkReading.h"

namespace tarnel {

struct LinkSample {
  uint32_t atMs = 0;
  bool linked = false;  // false also for a reading with the radio off or the adapter gone
  int signal = 0;       // percent; 0 without link
  int quality = 0;
};

class LinkHistory {
 public:
  static constexpr size_t kCapacity = 2000;

  void Add(const LinkReading& reading);
  void Add(const LinkSample& sample);
  size_t Size() const { return m_size; }
  bool Empty() const { return m_size == 0; }
  // Sample i, 0 the oldest kept, Size() - 1 the latest.
  const LinkSample& operator[](size_t i) const;
  const LinkSample& Latest() const { return (*this)[m_size - 1]; }

 private:
  std::array<LinkSample, kCapacity> m_samples{};
  size_t m_next = 0;
  size_t m_size = 0;
};

}  // namespace tarnel
