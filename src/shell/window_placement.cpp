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

QPoint CentredOver(const QRect &ownerFrame, const QSize &ownFrame)
{
    return QPoint(ownerFrame.left() + ownerFrame.width() / 2 - ownFrame.width() / 2,
        ownerFrame.top() + ownerFrame.height() / 2 - ownFrame.height() / 2);
}
