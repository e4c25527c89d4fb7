#include "shell/controls/run_glyphs.h"

QPixmap RunGlyph(const QString &name)
{
    return QPixmap(QStringLiteral(":/bitmaps/") + name + QStringLiteral(".png"));
}
