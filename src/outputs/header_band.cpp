#include "outputs/header_band.h"

#include "base/date_time_pattern.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace {

// 96 pixels per inch, in dots per metre.
constexpr int ScreenDotsPerMetre = 3780;
constexpr int UptimeMinimumWidth = 600;

QFont HeaderFont()
{
    // Arial where it is installed, its metric twin otherwise.
    QFont font;
    font.setFamilies({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    font.setPointSizeF(8);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

void AddHeader(QImage &image, const HeaderTexts &texts)
{
    if (image.isNull())
        return;
    image.setDotsPerMeterX(ScreenDotsPerMetre);
    image.setDotsPerMeterY(ScreenDotsPerMetre);
    const QString rates = FormatDateTime(QStringLiteral("ddd dd mmm"), texts.now) + u'.' + QString(15, u' ')
        + QStringLiteral("Upstream Rate: ") + texts.speedUpText + QStringLiteral(" Kbps.   Downstream Rate: ")
        + texts.speedDownText + QStringLiteral(" Kbps.");

    QPainter painter(&image);
    painter.setFont(HeaderFont());
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int height = painter.fontMetrics().height();
    painter.drawText(QRect(20, 1, image.width(), height), Qt::AlignLeft | Qt::AlignTop, rates);
    if (image.width() > UptimeMinimumWidth)
        painter.drawText(QRect(450, 1, image.width(), height), Qt::AlignLeft | Qt::AlignTop,
            QStringLiteral("Uptime: ") + texts.uptimeText);
}
