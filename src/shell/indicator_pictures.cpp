#include "shell/indicator_pictures.h"

#include <QPainter>

QPixmap IndicatorPicture(Indicator indicator)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (indicator) {
    case Indicator::Logging:
        // A sheet of paper with lines of writing.
        painter.setPen(QColor(80, 80, 80));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(2.5, 1.5, 11, 13));
        painter.setPen(QColor(0, 90, 170));
        for (int y = 4; y <= 12; y += 3)
            painter.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
        break;
    }
    return picture;
}
