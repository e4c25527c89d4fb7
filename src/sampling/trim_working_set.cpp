#include "sampling/trim_working_set.h"

#include <QCoreApplication>
#include <QTimer>

#include <malloc.h>

namespace {

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
    QTimer::singleShot(0, application, &TrimNow);
}
