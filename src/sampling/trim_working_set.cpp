#include "sampling/trim_working_set.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>

#include <malloc.h>

namespace {

// A trim walks the whole heap: about a fifth of a millisecond of the main
// thread. Samples a second apart would pay it every second for the few
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
    const qint64 wait = since.isValid() ? std::max<qint64>(0, SpacingMs - since.elapsed()) : 0;
    QTimer::singleShot(std::chrono::milliseconds(wait), application, &TrimNow);
}
