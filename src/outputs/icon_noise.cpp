#include "outputs/icon_noise.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int IconSize = 16;
// 96 pixels per inch, in dots per metre.
constexpr int ScreenDotsPerMetre = 3780;
constexpr int LargePoints = 8;
constexpr int SmallPoints = 6;
// Text this wide or wider at the large size is written small.
constexpr int WidestLargeText = IconSize;
constexpr int QuestionX = 5;

const QRgb LineUpColour = qRgb(255, 255, 0);
const QRgb LineDownColour = qRgb(255, 0, 255);

QFont NarrowFont(int points)
{
    // Arial Narrow where it is installed, its metric twin otherwise.
    QFont font;
    font.setFamilies({ QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow") });
    font.setPointSize(points);
    font.setWeight(QFont::Normal);
    // Whole pixels, fitted to the pixel grid: sixteen of them leave no
    // room for blurred edges, and only full hinting keeps the decimal point
    // clear of the digit after it.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Every pixel of the key colour, the bottom-left one's, becomes transparent.
QImage WithKeyColourTransparent(const QImage &image)
{
    QImage icon = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = icon.pixel(0, icon.height() - 1);
    for (int y = 0; y < icon.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(icon.scanLine(y));
        for (int x = 0; x < icon.width(); ++x)
            if (row[x] == key)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return icon;
}

// The background, read once: every sample draws an icon on it.
const QImage &Background()
{
    static const QImage background = [] {
        QImage image(QStringLiteral(":/bitmaps/iconbitmap.png"));
        if (image.isNull() || image.size() != QSize(IconSize, IconSize))
            return QImage();
        image = image.convertToFormat(QImage::Format_RGB32);
        image.setDotsPerMeterX(ScreenDotsPerMetre);
        image.setDotsPerMeterY(ScreenDotsPerMetre);
        return image;
    }();
    return background;
}

} // namespace

QString IconNoiseText(double noiseMarginDown, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(noiseMarginDown, 'g', 3);
}

QImage IconNoise(IconMode mode, double noiseMarginDown, double speedDown, const QLocale &locale)
{
    // A copy of its own: the painter below must not draw on the background.
    QImage image = Background().copy();
    if (image.isNull())
        return {};

    const QString text = mode == IconMode::Run ? IconNoiseText(noiseMarginDown, locale) : QStringLiteral("?");
    // The size is chosen by the regular face; the text is written bold.
    QFont font = NarrowFont(LargePoints);
    if (mode == IconMode::Run && QFontMetrics(font, &image).horizontalAdvance(text) >= WidestLargeText)
        font.setPointSize(SmallPoints);
    font.setBold(true);

    {
        QPainter painter(&image);
        if (!painter.isActive())
            return {};
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(speedDown != 0 ? LineUpColour : LineDownColour));
        painter.setBackgroundMode(Qt::TransparentMode);
        const QFontMetrics metrics(font, &image);
        const int x = mode == IconMode::Run ? IconSize / 2 - metrics.horizontalAdvance(text) / 2 : QuestionX;
        // The text's top-left corner at (x, 0).
        painter.drawText(QPoint(x, metrics.ascent()), text);
    }
    return WithKeyColourTransparent(image);
}
