#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The main window cannot be made smaller than this.
constexpr QSize kMinimumWindowSize(850, 650);

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

// The room a main window of the given size leaves the pages of its tabs,
// as near as can be told without laying it out: less the menu, toolbar, tab
// row and status bar above and below, and the frame; a window is never
// smaller than kMinimumWindowSize.
QSize GraphAreaOfWindow(const QSize &window);
