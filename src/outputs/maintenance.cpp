#include "outputs/maintenance.h"

#include "base/clock.h"
#include "base/time_of_day.h"
#include "outputs/sample_log.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>
#include <vector>

namespace {

constexpr qint64 kChunk = 1 << 20;

// Sets the log's TrimBusy flag for the life of the trim, whatever way it ends.
class TrimBusyGuard {
public:
    explicit TrimBusyGuard(SampleLog &log) : m_log(log) { m_log.setTrimBusy(true); }
    ~TrimBusyGuard() { m_log.setTrimBusy(false); }
    TrimBusyGuard(const TrimBusyGuard &) = delete;
    TrimBusyGuard &operator=(const TrimBusyGuard &) = delete;

private:
    SampleLog &m_log;
};

// The start offsets of the last `capacity` lines seen, oldest first on demand.
class LineStartRing {
public:
    explicit LineStartRing(qint64 capacity) : m_capacity(capacity) { }

    void push(qint64 start)
    {
        if (m_capacity == 0)
            return;
        if (qint64(m_starts.size()) < m_capacity) {
            m_starts.push_back(start);
            return;
        }
        m_starts[m_next] = start;
        m_next = (m_next + 1) % m_starts.size();
    }

    qint64 oldest() const { return m_starts[m_next]; }

private:
    qint64 m_capacity;
    std::vector<qint64> m_starts;
    std::size_t m_next = 0;
};

// Where the lines of the log start: the third line (the first after the
// header pair) and the first of the newest `keep` lines.
struct LineScan {
    qint64 lines = 0;
    qint64 thirdLineStart = -1;
    qint64 keptStart = -1;
};

bool ScanLines(QFile &file, qint64 keep, LineScan &scan)
{
    LineStartRing ring(keep);
    std::vector<char> buffer(kChunk);
    const qint64 size = file.size();
    qint64 offset = 0;
    qint64 lineStart = 0;
    const auto startLine = [&](qint64 start) {
        ++scan.lines;
        if (scan.lines == 3)
            scan.thirdLineStart = start;
        ring.push(start);
    };
    if (size > 0)
        startLine(0);
    while (offset < size) {
        const qint64 got = file.read(buffer.data(), kChunk);
        if (got <= 0)
            return false;
        const char *begin = buffer.data();
        const char *end = begin + got;
        for (const char *p = begin; (p = static_cast<const char *>(std::memchr(p, '\n', end - p)));) {
            ++p;
            lineStart = offset + (p - begin);
            if (lineStart < size)
                startLine(lineStart);
        }
        offset += got;
    }
    if (scan.lines > keep + 2)
        scan.keptStart = keep > 0 ? ring.oldest() : size;
    return true;
}

// Copies the lines between the offsets from and to of the log into out, each
// ended by CR LF whatever it ended with before (LF, CR LF, or nothing at the
// end of the file). The range starts at a line start.
bool CopyLines(QFile &in, qint64 from, qint64 to, QIODevice &out)
{
    if (from >= to)
        return true;
    if (!in.seek(from))
        return false;
    QByteArray converted;
    bool pendingCr = false; // a CR that may be the first half of a CR LF
    char last = '\n';
    qint64 left = to - from;
    while (left > 0) {
        const QByteArray chunk = in.read(qMin(left, kChunk));
        if (chunk.isEmpty())
            return false;
        left -= chunk.size();
        converted.clear();
        converted.reserve(chunk.size() + chunk.size() / 16 + 2);
        for (const char c : chunk) {
            if (c == '\n') {
                converted += "\r\n";
                pendingCr = false;
                continue;
            }
            if (pendingCr)
                converted += '\r';
            pendingCr = c == '\r';
            if (!pendingCr)
                converted += c;
        }
        last = chunk.back();
        if (out.write(converted) != converted.size())
            return false;
    }
    // The file's last line may lack its line end (a trailing CR counts as one).
    if (last != '\n')
        return out.write("\r\n", 2) == 2;
    return true;
}

// Copies the lines the trim keeps into out: the header pair and the newest
// lines.
bool CopyKeptLines(QFile &in, const LineScan &scan, QIODevice &out)
{
    const qint64 size = in.size();
    const qint64 headerEnd = scan.thirdLineStart >= 0 ? scan.thirdLineStart : size;
    const qint64 keptStart = scan.keptStart >= 0 ? scan.keptStart : headerEnd;
    return CopyLines(in, 0, headerEnd, out) && CopyLines(in, keptStart, size, out);
}

// What the user is told: the error's text, and which file it concerns (the
// trim takes the log and the events file beside it).
TrimOutcome Failed(const QString &path, const QString &error)
{
    return { false, error + QStringLiteral(": ") + QDir::toNativeSeparators(path) };
}

// The kept lines go into a new file that then takes the log's place in one
// step: on any failure the old log stays whole.
TrimOutcome ReplaceWithKeptLines(const QString &path, QFile &in, const LineScan &scan, QSaveFile &out)
{
    if (!CopyKeptLines(in, scan, out)) {
        const QString error = in.error() != QFileDevice::NoError ? in.errorString() : out.errorString();
        out.cancelWriting();
        return Failed(path, error);
    }
    // The last part of the kept lines may still sit in the write buffer, and
    // commit() does not count a failure to write it out (a full disk): it
    // would put a cut-short log in place of the old one. Flush first.
    if (!out.flush()) {
        const QString error = out.errorString();
        out.cancelWriting();
        return Failed(path, error);
    }
    if (!out.commit())
        return Failed(path, out.errorString());
    return {};
}

bool WriteOver(QFile &file, const QByteArray &bytes)
{
    return file.seek(0) && file.write(bytes) == bytes.size() && file.resize(bytes.size());
}

// A folder that takes no new file (no write permission, a read-only mount
// with the log mounted writable on it) still lets the log itself be
// rewritten. The kept lines are read whole into memory first; they are then
// written over the start of the file and the rest is cut off, so a stop
// between the two leaves old lines after the kept ones rather than losing
// any. A write that fails is made once more from memory; when that fails
// too, the user is told.
TrimOutcome RewriteInPlace(const QString &path, QFile &in, const LineScan &scan)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return Failed(path, file.errorString());
    QBuffer kept;
    kept.open(QIODevice::WriteOnly);
    if (!CopyKeptLines(in, scan, kept))
        return Failed(path, in.errorString());
    if (!WriteOver(file, kept.data()) && !WriteOver(file, kept.data()))
        return Failed(path, file.errorString());
    return {};
}

bool IsCandidate(const QString &name, const DeleteRequest &request)
{
    if (!name.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive))
        return false;
    if (!request.addPrefix)
        return true;
    return name.size() >= request.prefix.size() + 4 && name.startsWith(request.prefix, Qt::CaseInsensitive);
}

} // namespace

TrimOutcome TrimLog(const QString &path, int trimLines, SampleLog &log)
{
    if (!QFileInfo::exists(path))
        return {};
    const TrimBusyGuard busy(log);
    const qint64 keep = qMax(trimLines, 0);

    QFile in(path);
    LineScan scan;
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !ScanLines(in, keep, scan))
        return Failed(path, in.errorString());

    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly))
        return ReplaceWithKeptLines(path, in, scan, out);
    return RewriteInPlace(path, in, scan);
}

QDateTime GetFileDateTime(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QDateTime();
    return info.lastModified().toLocalTime();
}

bool RecycleFile(const QString &path)
{
    // The trash lives under the user's data folder; when that folder is
    // missing the platform cannot set the trash up and would file the image
    // under the working folder instead.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome))
        return false;
    return QFile::moveToTrash(path);
}

int DeleteFiles(const DeleteRequest &request, const Clock &clock)
{
    const QDateTime cutOff = clock.now().addDays(-qMax(request.days, 0));
    const QDir folder(request.folder);
    if (request.folder.isEmpty() || !folder.exists())
        return 0;
    int deleted = 0;
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names) {
        if (!IsCandidate(name, request))
            continue;
        const QString path = folder.filePath(name);
        const QDateTime changed = GetFileDateTime(path);
        if (!changed.isValid() || changed >= cutOff)
            continue;
        const bool gone = request.recycle ? RecycleFile(path) : QFile::remove(path);
        if (gone)
            ++deleted;
    }
    return deleted;
}

DailySchedule::Due DailySchedule::check(const QDateTime &now, bool trimLog,
    const std::optional<QTime> &trimTime, bool deleteImages, const QTime &deleteTime)
{
    const std::optional<QTime> deleteAt
        = deleteTime.isValid() ? std::optional<QTime>(deleteTime) : std::nullopt;
    Due due;
    due.trimLog = dueOnce(now, trimLog, trimTime, m_lastTrim);
    due.deleteImages = dueOnce(now, deleteImages, deleteAt, m_lastDelete);
    due.history = m_lastHistoryDay != now.date();
    m_lastHistoryDay = now.date();
    return due;
}

bool DailySchedule::dueOnce(const QDateTime &now, bool on, const std::optional<QTime> &at, QDateTime &lastRun)
{
    if (!on || !at || !SameMinute(now.time(), *at))
        return false;
    const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute()));
    if (lastRun == minute)
        return false;
    lastRun = minute;
    return true;
}
