#include "sampling/line_sample.h"

const std::array<QString, UserFigureCount> &UserFigureTexts()
{
    static const std::array<QString, UserFigureCount> texts = {
        QStringLiteral("Output Power (dBm)"),
        QStringLiteral("Line Attenuation (dB)"),
        QStringLiteral("Error Seconds"),
        QStringLiteral("FEC Errors"),
        QStringLiteral("CRC Errors"),
        QStringLiteral("HEC Errors"),
        QStringLiteral("[none]"),
    };
    return texts;
}

QString UserFigureText(int index)
{
    if (index < 0 || index >= UserFigureCount)
        return UserFigureTexts()[static_cast<int>(UserFigure::None)];
    return UserFigureTexts()[static_cast<size_t>(index)];
}
