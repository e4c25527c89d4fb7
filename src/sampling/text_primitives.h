#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// The text primitives the page readers cut figures out with. Positions are
// 1-based as the readers count them; a position past the end gives an empty
// cut, never an error.

// 1-based position of the first occurrence of needle in text, 0 if absent.
int Pos(QStringView needle, QStringView text);

// At most n characters of text from position p on.
QStringView Cut(QStringView text, qsizetype p, qsizetype n);

// Cut(text, q + 1, n) where q is the position of the first ">" (0 if none).
QStringView After(QStringView text, QChar mark, qsizetype n);

// The first run of number characters (digits, ",", "-", ".") within the
// first ten characters of text; "0" when there is none.
QString ExtractNumberRun(QStringView text);

// The text as a number in the locale (its decimal separator, no grouping,
// no unit); anything that is not a valid number gives 0.
double Convert(QStringView text, const QLocale &locale);

// Undoes the router's wrap-around of negative noise margins.
double Correct(double x);

// text preceded by blanks up to width characters; longer text stays whole.
QString PadLeft(const QString &text, int width);

// Groups the integer part of a number text with the locale's thousands
// separator; the decimals are kept as they are.
QString AddThouSep(const QString &text, const QLocale &locale);

// Removes blanks and control characters at both ends.
QStringView TrimText(QStringView text);

// The trimmed text after the first "/", or all of text trimmed if it has none.
QStringView AfterSlash(QStringView text);
