#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

class Clock;
class SampleLog;

// The outcome of a log trim. error holds the text to show the user when the
// log could not be read or written: the error's text, ": " and the file.
struct TrimOutcome {
    bool ok = true;
    QString error;
};

// Trims the log to its first two lines (the header line and the dash line)
// and its newest trimLines lines, each ended by CR LF; a negative count keeps
// none. A log of trimLines + 2 lines or fewer keeps every line. The file is
// read once as a stream, so memory stays near the kept lines, and written
// back in one step: on any failure the old log stays whole. When its folder
// takes no new file, the kept lines are read into memory and written over
// the log itself instead. A missing log is left alone. The log's TrimBusy
// flag is set for as long as the trim runs.
TrimOutcome TrimLog(const QString &path, int trimLines, SampleLog &log);

// Which captured images go, and how.
struct DeleteRequest {
    QString folder; // the capture folder
    int days = 5; // DeleteDays: images older than this many days go
    bool addPrefix = true;
    QString prefix; // ImagePrefix, when addPrefix is on
    bool recycle = true; // to the trash, else removed for good
};

// Deletes the capture folder's ".jpg" files (with the prefix when addPrefix
// is on; names compared without regard to case) whose last change lies
// before now minus the given days at the same time of day. A file dated
// exactly at the cut-off or later stays, and so does a file whose date cannot
// be read; subfolders are not entered. A file that cannot be deleted stays
// where it is, silently. Returns the number of files deleted.
int DeleteFiles(const DeleteRequest &request, const Clock &clock);

// The file's last change as a local date and time; an invalid moment when
// the file cannot be examined.
QDateTime GetFileDateTime(const QString &path);

// Moves the file to the desktop's trash, without asking; true when it went.
bool RecycleFile(const QString &path);

// The once-a-minute check of the daily maintenance. Each job runs when the
// current minute of the day is its set minute, at most once in that minute
// even when the timer ticks twice within it. Trimming comes first. The
// history's upkeep falls on the first check of each day.
class DailySchedule {
public:
    struct Due {
        bool trimLog = false;
        bool deleteImages = false;
        // The first check of each day, whatever the log settings: the
        // history's own upkeep.
        bool history = false;
    };

    // trimTime: TrimTime read as a time of day (nothing when it does not
    // read: no trim). deleteTime: invalid when there is none.
    Due check(const QDateTime &now, bool trimLog, const std::optional<QTime> &trimTime, bool deleteImages,
        const QTime &deleteTime);

private:
    static bool dueOnce(const QDateTime &now, bool on, const std::optional<QTime> &at, QDateTime &lastRun);

    QDateTime m_lastTrim;
    QDateTime m_lastDelete;
    QDate m_lastHistoryDay;
};
