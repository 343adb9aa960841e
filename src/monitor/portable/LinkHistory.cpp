#include "monitor/portable/LinkHistory.h"

namespace tarnel {

void LinkHistory::Add(const LinkReading& reading) {
  LinkSample sample;
  sample.atMs = reading.atMs;
  sample.linked = reading.adapterPresent && !reading.radioOff && reading.linked;
  if (sample.linked) {
    sample.signal = reading.signal;
    sample.quality = reading.quality;
  }
  Add(sample);
}

void LinkHistory::Add(const LinkSample& sample) {
  m_samples[m_next] = sample;
  m_next = (m_next + 1) % kCapacity;
  if (m_size < kCapacity) ++m_size;
}

const LinkSample& LinkHistory::operator[](size_t i) const {
  const size_t oldest = (m_next + kCapacity - m_size) % kCapacity;
  return m_samples[(oldest + i) % kCapacity];
}

}  // namespace tarnel
