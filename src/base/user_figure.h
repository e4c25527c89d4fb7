#pragma once

#include <QString>

#include <array>

// The figures a user-defined graph can show, in the order of its list; the
// settings file stores the item index.
enum class UserFigure {
    OutputPower = 0,
    LineAttenuation = 1,
    ErrorSeconds = 2,
    FecErrors = 3,
    CrcErrors = 4,
    HecErrors = 5,
    None = 6,
};

constexpr int UserFigureCount = 7;

// The figure of a stored index; an index outside the list shows nothing.
constexpr UserFigure UserFigureFromIndex(int index)
{
    return index >= 0 && index < UserFigureCount ? static_cast<UserFigure>(index) : UserFigure::None;
}

constexpr int UserFigureIndex(UserFigure figure)
{
    return static_cast<int>(figure);
}

// The list texts, index by index.
const std::array<QString, UserFigureCount> &UserFigureTexts();

// The list text of a figure ("CRC Errors", "[none]", ...).
QString UserFigureText(UserFigure figure);

// The error counters, which can be counted per hour.
constexpr bool IsErrorFigure(UserFigure figure)
{
    return figure == UserFigure::ErrorSeconds || figure == UserFigure::FecErrors
        || figure == UserFigure::CrcErrors || figure == UserFigure::HecErrors;
}
