#include "outputs/line_events_log.h"

#include "base/date_time_pattern.h"
#include "outputs/line_appender.h"
#include "outputs/sample_log.h"
#include "sampling/text_primitives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <deque>

namespace {

constexpr int kFigureColumns = 8;

QString FigureText(double value)
{
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

QStringList FigureTexts(const LineEventFigures &f)
{
    return { FigureText(f.noiseMarginUp), FigureText(f.noiseMarginDown), FigureText(f.speedUp),
        FigureText(f.speedDown) };
}

std::optional<double> ReadFigure(QStringView text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// "Date, Kind,f,f,f,f,f,f,f,f, Moment", read from the right so that a date
// pattern with commas in it does no harm.
std::optional<LineEvent> ReadEventLine(QStringView line)
{
    const QList<QStringView> fields = line.split(u',');
    if (fields.size() < kFigureColumns + 3)
        return std::nullopt;
    const qsizetype last = fields.size() - 1;
    LineEvent event;
    event.moment = QDateTime::fromString(fields[last].trimmed().toString(), Qt::ISODate);
    const std::optional<LineEventKind> kind
        = LineEventKindFromText(fields[last - kFigureColumns - 1].trimmed());
    if (!event.moment.isValid() || !kind)
        return std::nullopt;
    event.moment = event.moment.toLocalTime();
    event.kind = *kind;
    std::array<double, kFigureColumns> values {};
    for (int i = 0; i < kFigureColumns; ++i) {
        const std::optional<double> value = ReadFigure(fields[last - kFigureColumns + i]);
        if (!value)
            return std::nullopt;
        values[static_cast<std::size_t>(i)] = *value;
    }
    event.before = { values[0], values[1], values[2], values[3] };
    event.after = { values[4], values[5], values[6], values[7] };
    return event;
}

} // namespace

QString LineEventsPath(const QString &logPath)
{
    // An empty log box names no folder; its "folder" would be the working
    // folder.
    if (logPath.isEmpty())
        return QString();
    return QFileInfo(logPath).dir().filePath(QStringLiteral("events.txt"));
}

QString LineEventsHeader()
{
    return QStringLiteral(
        "Date/Time, Event, Up SNR before (dB), Down SNR before (dB), Up Sync before (Kbps), "
        "Down Sync before (Kbps), Up SNR after (dB), Down SNR after (dB), "
        "Up Sync after (Kbps), Down Sync after (Kbps), Moment");
}

QString LineEventLine(const LineEvent &event, const QString &dateFormat, int tab)
{
    QString line
        = FormatDateTime(dateFormat, event.moment) + QStringLiteral(", ") + LineEventText(event.kind);
    for (const QString &figure : FigureTexts(event.before) + FigureTexts(event.after))
        line += u',' + PadLeft(figure, tab);
    const QDateTime moment = event.moment.toOffsetFromUtc(event.moment.offsetFromUtc());
    return line + QStringLiteral(", ") + moment.toString(Qt::ISODate);
}

bool AppendLineEvent(const QString &path, const QString &line)
{
    // An events file left empty gets its header too: only a file that
    // starts with it is ever trimmed.
    const bool empty = QFileInfo(path).size() == 0;
    return LineAppender(path, LineEventsHeader()).append(line, empty);
}

std::vector<LineEvent> ReadLineEvents(const QString &path, std::size_t most)
{
    QFile file(path);
    if (most == 0 || !file.open(QIODevice::ReadOnly))
        return {};
    std::deque<LineEvent> newest;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (const std::optional<LineEvent> event = ReadEventLine(line)) {
            newest.push_back(*event);
            if (newest.size() > most)
                newest.pop_front();
        }
    }
    return { newest.begin(), newest.end() };
}

namespace {

// Only a file this program started has the events header as its first
// line; an "events.txt" of anyone else's beside the log is not ours to cut.
bool IsOurEventsFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = LineEventsHeader().toUtf8();
    QByteArray first = file.readLine(header.size() + 3);
    while (first.endsWith('\n') || first.endsWith('\r'))
        first.chop(1);
    return first == header;
}

} // namespace

TrimOutcome TrimLineEvents(const QString &logPath, int trimLines)
{
    // A relative log path would find the events file by the working folder,
    // wherever the program happened to start.
    const QString path = LineEventsPath(logPath);
    if (path.isEmpty() || QFileInfo(logPath).isRelative() || !IsOurEventsFile(path))
        return {};
    // The events file is written only from the sample pipeline, on the same
    // thread as the trim, so no write can come between: its busy flag is
    // this trim's own.
    SampleLog events;
    return TrimLog(path, trimLines, events);
}
