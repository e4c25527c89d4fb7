#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QtGlobal>

class FolderSizeCache;

// The size helpers and texts of the status bar. Sizes are counted in 64 bits,
// so logs and folders of 2 GiB and more print right.

// The size in bytes of the file at path; -1 when there is no such file.
qint64 FileSizeOf(const QString &path);

// The sum of the sizes of every file in the folder and, recursively, in its
// subfolders, hidden ones included. Links to folders are not followed, so a
// loop of links cannot make it run forever. A folder that cannot be read
// counts as empty.
qint64 FolderSize(const QString &folder);

// "[no files]" for 0, else the count in bytes, KB, MB or GB by the "#.##"
// rule: no grouping, at most two decimals, no trailing zeros, the locale's
// decimal separator.
QString FormatSize(qint64 count, const QLocale &locale = QLocale::system());

// Panel 0: "Start: " and the start time ("ddd dd mmmm hh:mm:ss").
QString StartPanelText(const QDateTime &start, const QLocale &locale = QLocale::system());

// Panel 1: the log's file name, ":   " and its size text. After a sample it
// shows whenever logging is on (a missing file shows -1 bytes); at start-up
// only when the file exists. Empty otherwise.
QString LogPanelTextAfterSample(
    const QString &logPath, bool loggingOn, const QLocale &locale = QLocale::system());
QString LogPanelTextAtStartUp(const QString &logPath, const QLocale &locale = QLocale::system());

// Panel 2: "Capture folder:  " and the folder's size text when the folder
// exists; empty otherwise.
QString CapturePanelText(const QString &captureFolder, const QLocale &locale = QLocale::system());
// The same with the size taken from sizes, which keeps it while the folder
// is unchanged.
QString CapturePanelText(const QString &captureFolder, FolderSizeCache &sizes, const QLocale &locale);
