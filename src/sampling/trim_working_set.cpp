#include "sampling/trim_working_set.h"

#include <QCoreApplication>
#include <QTimer>

#include <malloc.h>

namespace {

// How long requests gather before the one trim they share. A sample asks
// at its navigation and again when its page has loaded, a few tens of
// milliseconds apart; a trim walks every arena of the heap (about 0.15 ms
// of the main thread each time), and a second walk right after the first
// finds next to nothing left to give back.
constexpr int GatherMs = 500;

bool trimPending = false;

void TrimNow()
{
    trimPending = false;
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
    QTimer::singleShot(GatherMs, application, &TrimNow);
}
