#include "outputs/history_store.h"

#include "base/clock.h"
#include "outputs/history_writer.h"

#include <QDir>
#include <QFile>

namespace {

const QString kJournalSuffixes[] = { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") };

} // namespace

HistoryStore::HistoryStore(const QString &folder, const Clock &clock, QObject *parent)
    : QObject(parent), m_path(QDir(folder).filePath(fileName())), m_clock(clock),
      m_writer(std::make_unique<HistoryWriter>())
{
    m_writer->moveToThread(&m_thread);
    connect(m_writer.get(), &HistoryWriter::failed, this, &HistoryStore::writerFailed);
    m_thread.setObjectName(QStringLiteral("history writer"));
}

HistoryStore::~HistoryStore()
{
    close();
    m_thread.quit();
    m_thread.wait();
}

bool HistoryStore::open()
{
    close();
    if (!openReader()) {
        tellNotKept(m_reader.errorText());
        return false;
    }
    if (!m_thread.isRunning())
        m_thread.start();
    HistoryWriter *writer = m_writer.get();
    const QString path = m_path;
    QMetaObject::invokeMethod(
        writer, [writer, path] { writer->open(path); }, Qt::QueuedConnection);
    m_writing = true;
    return true;
}

// A damaged file goes aside, never away, and a new history starts in its
// place.
bool HistoryStore::openReader()
{
    if (m_reader.open(m_path, true))
        return true;
    if (m_reader.failure() != HistoryDatabase::Failure::Damaged)
        return false;
    QString asideName;
    if (!moveAside(asideName))
        return false;
    tell(QStringLiteral("The line history file was damaged; it was kept as %1 and a new history begins")
             .arg(asideName));
    return m_reader.open(m_path, true);
}

bool HistoryStore::moveAside(QString &asideName)
{
    const QString stem = m_path + QStringLiteral(".corrupt-") + m_clock.now().toString(u"yyyyMMdd-hhmmss");
    QString aside = stem;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = stem + u'-' + QString::number(n);
    for (const QString &suffix : kJournalSuffixes) {
        if (QFile::exists(m_path + suffix) && !QFile::rename(m_path + suffix, aside + suffix)) {
            tellNotKept(QStringLiteral("the damaged file cannot be moved aside: ") + m_path);
            return false;
        }
    }
    asideName = QDir::toNativeSeparators(aside);
    return true;
}

void HistoryStore::close()
{
    if (m_thread.isRunning()) {
        HistoryWriter *writer = m_writer.get();
        QMetaObject::invokeMethod(
            writer, [writer] { writer->close(); }, Qt::BlockingQueuedConnection);
    }
    m_reader.close();
    m_writing = false;
}

void HistoryStore::append(const HistoryRecord &record)
{
    if (!isWriting())
        return;
    HistoryWriter *writer = m_writer.get();
    QMetaObject::invokeMethod(
        writer, [writer, record] { writer->write(record); }, Qt::QueuedConnection);
}

void HistoryStore::removeOlderThan(int days)
{
    if (days <= 0 || !isWriting())
        return;
    HistoryWriter *writer = m_writer.get();
    const QDateTime cutoff = m_clock.now().toUTC().addDays(-days);
    QMetaObject::invokeMethod(
        writer, [writer, cutoff] { writer->removeBefore(cutoff); }, Qt::QueuedConnection);
}

void HistoryStore::waitForWrites()
{
    if (m_thread.isRunning())
        QMetaObject::invokeMethod(
            m_writer.get(), [] {}, Qt::BlockingQueuedConnection);
}

std::vector<HistoryRecord> HistoryStore::read(const QDateTime &from, const QDateTime &to) const
{
    std::vector<HistoryRecord> records;
    m_reader.forEach(from, to, [&records](HistoryRecord &&record) { records.push_back(std::move(record)); });
    return records;
}

void HistoryStore::writerFailed(const QString &error)
{
    if (!m_writing)
        return;
    m_writing = false;
    tellNotKept(error);
}

void HistoryStore::tellNotKept(const QString &error)
{
    if (m_toldNotKept)
        return;
    m_toldNotKept = true;
    tell(QStringLiteral("The line history is not kept: ") + error);
}

void HistoryStore::tell(const QString &text)
{
    QMetaObject::invokeMethod(
        this, [this, text] { emit problem(text); }, Qt::QueuedConnection);
}
