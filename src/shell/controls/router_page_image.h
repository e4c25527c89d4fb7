#pragma once

#include <QImage>
#include <QSize>

class QWidget;

// The size of the router page's picture: the browser view's width less 300
// pixels by its height, at most 600 pixels. Empty when the view is 300
// pixels wide or narrower: there is nothing to draw then.
QSize RouterPageImageSize(const QSize &viewSize);

// The router page as the browser view shows it, drawn from the view's
// top-left corner into a picture of that size; a null image when there is
// nothing to draw. No header band.
QImage RouterPageImage(QWidget &browserWidget);
