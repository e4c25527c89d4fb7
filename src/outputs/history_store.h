#pragma once

#include "outputs/history_database.h"
#include "sampling/history_record.h"

#include <QObject>
#include <QThread>

#include <memory>
#include <vector>

class Clock;
class HistoryWriter;

// The line's history across restarts: every sample in "history.sqlite" in
// the data folder. Samples are written on a thread of the store's own, in
// the order they come; reading goes through a connection of the calling
// thread. A file that is not a database or is damaged is moved aside (with
// its journal files) as "history.sqlite.corrupt-<yyyyMMdd-hhmmss>" and a new
// history begins. A history that cannot be opened or written is told once
// and left alone: samples are then simply not kept, until it is opened
// again.
class HistoryStore final : public QObject {
    Q_OBJECT

public:
    static QString fileName() { return QStringLiteral("history.sqlite"); }

    HistoryStore(const QString &folder, const Clock &clock, QObject *parent = nullptr);
    ~HistoryStore() override;
    Q_DISABLE_COPY_MOVE(HistoryStore)

    QString path() const { return m_path; }

    // Opens the history, again after a failure; false when it cannot be
    // read (the reason is told).
    bool open();
    // Finishes the writes queued so far and closes the file.
    void close();
    // Open for reading.
    bool isOpen() const { return m_reader.isOpen(); }
    // Open, and no write has failed since.
    bool isWriting() const { return isOpen() && m_writing; }

    // Queues one sample for writing; dropped while the history is not
    // written.
    void append(const HistoryRecord &record);
    // Queues the deletion of the samples older than that many days; 0 or
    // less keeps every sample.
    void removeOlderThan(int days);
    // Returns once the writes queued so far are done.
    void waitForWrites();

    // The samples written so far from from to to, both included, in time
    // order; an invalid moment leaves that end open.
    std::vector<HistoryRecord> read(const QDateTime &from, const QDateTime &to) const;

signals:
    // What the user should know about the history, told from the event
    // loop: that it is not kept (once), or that a damaged file was moved
    // aside.
    void problem(const QString &text);

private:
    bool openReader();
    bool moveAside(QString &asideName);
    void writerFailed(const QString &error);
    void tellNotKept(const QString &error);
    void tell(const QString &text);

    QString m_path;
    const Clock &m_clock;
    HistoryDatabase m_reader;
    QThread m_thread;
    std::unique_ptr<HistoryWriter> m_writer; // lives on m_thread
    bool m_writing = false;
    bool m_toldNotKept = false;
};
