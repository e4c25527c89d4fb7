#include "shell/window_placement.h"

QRect PlaceMainWindow(
    const QRect &stored, const QRect &virtualDesktop, const QRect &primaryScreen, bool alwaysOnPrimary)
{
    const bool beyond = stored.x() + stored.width() > virtualDesktop.x() + virtualDesktop.width();
    if (!beyond && !alwaysOnPrimary)
        return stored;
    QRect centred(QPoint(), stored.size());
    centred.moveCenter(primaryScreen.center());
    return centred;
}
