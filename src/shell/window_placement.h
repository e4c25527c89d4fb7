#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window opens: at its stored place, unless its right edge
// lies beyond the desktop that all monitors span (a monitor was removed),
// the place lies wholly outside that desktop, or the window is always to
// open on the primary monitor; then centred on the primary monitor, at its
// stored size.
QRect PlaceMainWindow(
    const QRect &stored, const QRect &virtualDesktop, const QRect &primaryScreen, bool alwaysOnPrimary);

// Where a window of the given frame size stands centred over another
// window's frame.
QPoint CentredOver(const QRect &ownerFrame, const QSize &ownFrame);
