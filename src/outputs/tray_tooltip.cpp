#include "outputs/tray_tooltip.h"

QString TrayTooltip(double noiseMarginDown, double speedDown, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return QStringLiteral("Linewarden\nNoise margin: ") + plain.toString(noiseMarginDown, 'g', 15)
        + QStringLiteral(" dB\nSync speed: ") + plain.toString(speedDown, 'g', 15) + QStringLiteral(" Kbps");
}
