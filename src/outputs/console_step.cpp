#include "outputs/console_step.h"

namespace {

QString Margin(double dB)
{
    return QString::number(dB, 'f', 1);
}

// Whole kbps as whole numbers; a fraction the page showed is kept.
QString Speed(double kbps)
{
    return QString::number(kbps, 'g', 12);
}

} // namespace

QString ConsoleLine(const PageLoad &load)
{
    const LineSample &sample = load.sample;
    return load.moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" noise margin down ")
        + Margin(sample.noiseMarginDown) + QStringLiteral(" dB up ") + Margin(sample.noiseMarginUp)
        + QStringLiteral(" dB, sync down ") + Speed(sample.speedDown) + QStringLiteral(" kbps up ")
        + Speed(sample.speedUp) + QStringLiteral(" kbps");
}
