#pragma once

#include <QDir>
#include <QString>

#include <unistd.h>

// A file of this fuzzing process's own, in a memory file system where there
// is one: saves flush to disk, and a disk would slow every run to a crawl.
inline QString WorkFile(const char *name)
{
    static const QString folder = [] {
        const QString base
            = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString path = base + QStringLiteral("/linewarden-fuzz-%1").arg(getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder + u'/' + QLatin1String(name);
}
