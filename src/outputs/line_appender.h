#pragma once

#include <QString>

// Appends CR LF lines to a text file that starts with a header line and a
// dash line as long as the header: the sample log and the events file.
// The file is opened and closed for every line; nothing stays open.
//
// A kill in the middle of a write can leave the last line torn (without
// its end). Before the next line goes on, that torn piece is cut off, so it
// never runs into the new line and no reader meets half a line.
class LineAppender {
public:
    LineAppender(const QString &path, const QString &header) : m_path(path), m_header(header) { }

    // Appends line, preceded by the header and dash line when the file is
    // new, when it held only a torn first line, or when headerDue. All of it
    // goes in one write call. Any failure (missing folder, no permission,
    // full disk) leaves the file as it was, a new file not there at all,
    // and returns false.
    bool append(const QString &line, bool headerDue) const;

private:
    QString m_path;
    QString m_header;
};
