#include "shell/controls/router_page_image.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int WidthCut = 300;
constexpr int TallestPicture = 600;

} // namespace

QSize RouterPageImageSize(const QSize &viewSize)
{
    const QSize size(viewSize.width() - WidthCut, std::min(viewSize.height(), TallestPicture));
    return size.isEmpty() ? QSize() : size;
}

QImage RouterPageImage(QWidget &browserWidget)
{
    const QSize size = RouterPageImageSize(browserWidget.size());
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    // The engine draws its page only through a grab of the whole view.
    const QPixmap shown = browserWidget.grab(QRect(QPoint(0, 0), browserWidget.size()));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, shown);
    return image;
}
