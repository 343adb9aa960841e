#include "profiles/StoreWatch.h"

#include <windows.h>

#include "profiles/DriverKey.h"

namespace tarnel {

StoreWatch::StoreWatch() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

bool StoreWatch::Signalled() const { return ::WaitForSingleObject(m_event.Get(), 0) == WAIT_OBJECT_0; }

bool StoreWatch::Changed(uint32_t nowMs) {
  if (m_armed) return Signalled();
  if (m_asked && nowMs - m_askedAt < kUnwatchedMs) return false;
  m_asked = true;
  m_askedAt = nowMs;
  return true;
}

void StoreWatch::Restart() {
  // A notice still pending has seen no change since it was armed: it goes on covering.
  if (m_armed && !Signalled()) return;
  m_armed = false;
  if (!m_event) return;
  // The key found afresh: the adapter may be another one since the last time. Closing the old
  // key may signal its notice, so the event is reset after.
  m_key = OpenDriverKey();
  ::ResetEvent(m_event.Get());
  if (!m_key.IsOpen()) return;
  m_armed = ::RegNotifyChangeKeyValue(m_key.Get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                      m_event.Get(), TRUE) == ERROR_SUCCESS;
}

}  // namespace tarnel
