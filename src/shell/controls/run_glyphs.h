#pragma once

#include <QPixmap>
#include <QString>

// The glyph of the Pause/Stop button by its bitmap name ("pausebitmap",
// "stopbitmap"), from the program's resources.
QPixmap RunGlyph(const QString &name);
