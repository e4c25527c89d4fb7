#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Formats a moment by the program's date and time pattern language, the one
// used by every setting and fixed text that shows a time ("ddd dd mmm yyyy
// hh:mm:ss", "HH:mm", ...). Letters may be written in either case:
//
//   d dd ddd dddd ddddd dddddd  day, day name, the locale's short/long date
//   m mm mmm mmmm               month (minutes right after an hour token)
//   yy yyyy                     year
//   h hh                        hour, 12-hour clock when am/pm follows
//   n nn  s ss  z zzz           minutes, seconds, milliseconds
//   am/pm a/p ampm              the 12-hour marker
//   c  t  tt                    short date + long time, short/long time
//   / :                         the locale's date and time separators
//   'text' "text"               copied without the quotes
//
// Any other character is copied unchanged.
QString FormatDateTime(
    const QString &pattern, const QDateTime &moment, const QLocale &locale = QLocale::system());

// The locale's separators and formats the pattern language draws on.
QChar LocaleDateSeparator(const QLocale &locale);
QChar LocaleTimeSeparator(const QLocale &locale);
QString LocaleShortDate(const QDate &date, const QLocale &locale);
QString LocaleLongDate(const QDate &date, const QLocale &locale);
QString LocaleShortTime(const QTime &time, const QLocale &locale);
QString LocaleLongTime(const QTime &time, const QLocale &locale);

// The Qt format behind LocaleLongTime: the locale's long time format without
// its time-zone part.
QString LocaleLongTimeFormat(const QLocale &locale);
