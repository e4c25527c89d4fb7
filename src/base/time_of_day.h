#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

// Reads a stored time of day: the locale's long time ("15:05:07",
// "3:05:07 PM") or any hour, minute and optional second figures with a
// separator between them ("14:30", "14.30", "2:30 pm"). Seconds are kept;
// text that is not a time of day gives nothing.
std::optional<QTime> ParseTimeOfDay(const QString &text, const QLocale &locale = QLocale::system());

// True when both moments fall in the same minute of the day, the test the
// daily schedule makes ("HH:mm" of both equal).
bool SameMinute(const QTime &a, const QTime &b);
