#include "base/user_figure.h"

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

QString UserFigureText(UserFigure figure)
{
    return UserFigureTexts()[static_cast<std::size_t>(UserFigureIndex(figure))];
}
