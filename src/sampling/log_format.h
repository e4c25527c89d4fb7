#pragma once

#include "base/user_figure.h"

#include <QDateTime>
#include <QString>

// The sample log's header and lines. The columns, left to right:
// "Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps)"
// and, for each user-defined graph that shows a figure, its up and down
// columns ("[none]" adds nothing).
//
// A page reader builds the line while it reads the page, adding each
// figure's columns as it finds the figure; a figure missing from the page
// leaves its columns out and the rest follows. Every figure is padded to
// the log's column width (LogTab). The separators belong to the figures as
// below, so a line with a figure missing keeps the form logs have always
// had.
QString LogHeader(UserFigure user1, UserFigure user2);

// The start of a line: the moment the page finished loading, formatted by
// LogDateFormat, and ", ".
QString LogLineStart(const QDateTime &loadedAt, const QString &logDateFormat);

// "up,down," for the noise margins.
void AddMarginColumns(QString &line, const QString &up, const QString &down, int logTab);

// "up," and "down" for the speeds, each added when the page shows it.
void AddSpeedUpColumn(QString &line, const QString &up, int logTab);
void AddSpeedDownColumn(QString &line, const QString &down, int logTab);

// ",up,down" for one user-defined graph's figure.
void AddUserColumns(QString &line, const QString &up, const QString &down, int logTab);
