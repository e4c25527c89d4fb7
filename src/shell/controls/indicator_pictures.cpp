#include "shell/controls/indicator_pictures.h"

#include <QLinearGradient>
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
    case Indicator::PadlockClosed:
    case Indicator::PadlockOpen: {
        // A brass body under a grey shackle, lifted on the right when open.
        const bool open = indicator == Indicator::PadlockOpen;
        painter.setPen(QPen(QColor(110, 110, 110), 1.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(4.5, open ? 0.5 : 2.5, 7, 8), 0, 180 * 16);
        painter.drawLine(QPointF(4.5, open ? 4.5 : 6.5), QPointF(4.5, 8));
        if (!open)
            painter.drawLine(QPointF(11.5, 6.5), QPointF(11.5, 8));
        painter.setPen(QColor(120, 90, 20));
        painter.setBrush(QColor(214, 170, 50));
        painter.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
        painter.setBrush(QColor(60, 45, 10));
        painter.drawEllipse(QPointF(8, 11), 1.2, 1.2);
        break;
    }
    case Indicator::Tick: {
        // A green tick: a scheduled job is on.
        painter.setPen(QPen(QColor(0, 140, 40), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF tick[] = { { 2.5, 8.5 }, { 6.5, 12.5 }, { 13.5, 3.5 } };
        painter.drawPolyline(tick, 3);
        break;
    }
    }
    return picture;
}

QPixmap ToolbarBackgroundPicture()
{
    QPixmap picture(8, 64);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, picture.height());
    gradient.setColorAt(0.0, QColor(250, 252, 255));
    gradient.setColorAt(0.55, QColor(228, 237, 248));
    gradient.setColorAt(1.0, QColor(206, 219, 236));
    painter.fillRect(picture.rect(), gradient);
    return picture;
}
