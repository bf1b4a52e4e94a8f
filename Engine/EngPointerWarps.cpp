#include "Engine/EngPointerWarps.h"

#include <cstdlib>
#include <cstring>

void EngPointerWarps::Ask(EngInt32 x, EngInt32 y) {
  m_asked = 1;
  m_asked_x = x;
  m_asked_y = y;
}

char EngPointerWarps::TakeAsked(EngInt32 *x, EngInt32 *y) {
  if (!m_asked) return 0;
  m_asked = 0;
  if (m_num_in_flight == kMaxInFlight) {
    m_num_in_flight--;
    memmove(m_in_flight, m_in_flight + 1, sizeof(m_in_flight[0]) * size_t(m_num_in_flight));
  }
  m_in_flight[m_num_in_flight][0] = m_asked_x;
  m_in_flight[m_num_in_flight][1] = m_asked_y;
  m_num_in_flight++;
  *x = m_asked_x;
  *y = m_asked_y;
  return 1;
}

char EngPointerWarps::IsStaleEcho(EngInt32 x, EngInt32 y) {
  // An echo comes back rounded to whole pixels.
  for (int i = 0; i < m_num_in_flight; i++)
    if (abs(x - m_in_flight[i][0]) <= 1 && abs(y - m_in_flight[i][1]) <= 1) {
      const char stale = (i < m_num_in_flight - 1 || m_asked) ? 1 : 0;
      m_num_in_flight -= i + 1;
      memmove(m_in_flight, m_in_flight + i + 1, sizeof(m_in_flight[0]) * size_t(m_num_in_flight));
      return stale;
    }
  m_asked = 0;
  return 0;
}

void EngPointerWarps::Clear() {
  m_num_in_flight = 0;
  m_asked = 0;
}
