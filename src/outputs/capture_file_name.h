#pragma once

#include <QString>

// The name of a captured picture: prefix + graph name + "-" + stamp +
// ".jpg". A name that holds a "/" or a NUL (a date pattern or prefix that
// makes one) could land outside the capture folder or be cut short, so
// there is no name for it: empty, and that capture fails.
QString CaptureFileName(const QString &prefix, const QString &graphName, const QString &stamp);

// The picture's path in the capture folder; empty when the name is empty.
QString CapturePath(const QString &folder, const QString &fileName);
