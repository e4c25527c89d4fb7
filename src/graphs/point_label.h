#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>

// The form of a point's bottom-axis label: the time only (" hh:mm:ss "), or
// the short day name and day of the month above it (" ddd dd ", a carriage
// return, " hh:mm:ss ").
enum class LabelForm : std::uint8_t { Time, DayAndTime };

// The label form of points plotted with the DateStamp option on or off.
LabelForm LabelFormFor(bool dateStamp);

// The bottom-axis label spacing of the four visible graphs, in percent of a
// label's size: two-line labels sit closer together.
int LabelSpacing(bool dateStamp);

// The text of a label, made when it is drawn.
QString FormatPointLabel(LabelForm form, const QDateTime &moment, const QLocale &locale = QLocale::system());
