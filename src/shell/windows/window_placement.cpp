#include "shell/windows/window_placement.h"

namespace {

constexpr int WindowFrameWidth = 20;
constexpr int WindowBarsHeight = 150;

} // namespace

QRect PlaceMainWindow(
    const QRect &stored, const QRect &virtualDesktop, const QRect &primaryScreen, bool alwaysOnPrimary)
{
    const bool beyond = stored.x() + stored.width() > virtualDesktop.x() + virtualDesktop.width();
    // A place wholly left of, above or below the desktop (a monitor there was
    // removed, or the file was edited by hand) would open the window out of
    // sight; it is taken as beyond too.
    const bool outside = !stored.intersects(virtualDesktop);
    if (!beyond && !outside && !alwaysOnPrimary)
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

QSize GraphAreaOfWindow(const QSize &window)
{
    const QSize held = window.expandedTo(kMinimumWindowSize);
    return QSize(held.width() - WindowFrameWidth, held.height() - WindowBarsHeight);
}
