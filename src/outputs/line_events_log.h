#pragma once

#include "outputs/line_events.h"
#include "outputs/maintenance.h"

#include <QString>

#include <vector>

// The events file "events.txt", in the sample log's folder. Like the log it
// holds CR LF lines, starts with a header line and a dash line, and begins
// each line with the moment formatted by the log's date pattern; the
// figures before and after follow, padded like the log's, and the moment
// once more in ISO 8601 so the file can be read back whatever the pattern.
QString LineEventsPath(const QString &logPath); // nothing for an empty logPath
QString LineEventsHeader();
QString LineEventLine(const LineEvent &event, const QString &dateFormat, int tab);

// Appends a line to the file, creating it with the header and dash line
// (an empty file gets them too); a torn last line is cut off first. All of
// it goes in one write call. A failure leaves the file as it was and
// returns false.
bool AppendLineEvent(const QString &path, const QString &line);

// The events in the file, oldest first, at most the newest `most` of them;
// lines that do not read as events are passed over. Nothing when the file
// is missing.
std::vector<LineEvent> ReadLineEvents(const QString &path, std::size_t most);

// Trims the events file beside the log at logPath as the log is trimmed:
// the header line, the dash line and the newest trimLines lines stay. Run
// it with the log's trim, with the same path and count. Only a file that
// starts with the events header is trimmed, and only beside an absolute
// log path; anything else is left as it is.
TrimOutcome TrimLineEvents(const QString &logPath, int trimLines);
