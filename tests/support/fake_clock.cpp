#include "support/fake_clock.h"

FakeClock::FakeClock(const QDateTime &start) : m_now(start) { }
