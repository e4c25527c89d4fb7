#include "sampling/trim_working_set.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>

#include <malloc.h>

namespace {

// A trim walks every arena of the heap: about 0.15 ms of the main thread.
// A sample asks at its navigation and again when its page has loaded, a
// few tens of milliseconds apart, and a second walk right after the first
// finds next to nothing to give back; so requests gather for this long
// before the one trim they share.
constexpr qint64 GatherMs = 500;
// Samples a second apart would still pay a walk every second for the few
// kilobytes one sample leaves free, so trims come at most this far apart;
// one asked for sooner is made when the time is up.
constexpr qint64 SpacingMs = 10000;

bool trimPending = false;

QElapsedTimer &SinceLastTrim()
{
    static QElapsedTimer timer;
    return timer;
}

void TrimNow()
{
    trimPending = false;
    SinceLastTrim().start();
    ::malloc_trim(0);
}

} // namespace

void TrimWorkingSet()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application) {
        TrimNow();
        return;
    }
    if (trimPending)
        return;
    trimPending = true;
    const QElapsedTimer &since = SinceLastTrim();
    const qint64 spaced = since.isValid() ? SpacingMs - since.elapsed() : 0;
    QTimer::singleShot(std::chrono::milliseconds(std::max(GatherMs, spaced)), application, &TrimNow);
}
