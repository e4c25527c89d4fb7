#pragma once

#include <QString>

// The sample log file: one CR LF line per sample, a header line and a dash
// line at the top of a new file and again before the first line after the
// user-defined figures changed. The header and the lines are built as
// sampling/log_format.h says; the file is written by a LineAppender.
class SampleLog {
public:
    // The header for the current user-defined figures.
    void setHeader(const QString &header) { m_header = header; }
    QString header() const { return m_header; }

    // Set when a user-defined figure changes: the next line written is
    // preceded by the header and a dash line.
    void setHeaderPending(bool pending) { m_headerPending = pending; }
    bool headerPending() const { return m_headerPending; }

    // Set while the log is being trimmed; no line is written meanwhile.
    void setTrimBusy(bool busy) { m_trimBusy = busy; }
    bool trimBusy() const { return m_trimBusy; }

    // Appends logLine to the file at path, the caller having checked that
    // logging is on; a torn last line is cut off first. Any failure
    // (missing folder, no permission, full disk) drops this line without a
    // message, and the file keeps what it held before; false then, and
    // while trimming.
    bool writeLine(const QString &path, const QString &logLine);

private:
    QString m_header;
    bool m_headerPending = false;
    bool m_trimBusy = false;
};
