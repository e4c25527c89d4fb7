#pragma once

#include "outputs/history_database.h"

#include <QObject>

// Writes the history on a thread of its own, through a connection of its
// own, so the thread that samples never waits for the disk or for another
// process that holds the file. Its functions are called on that thread, in
// the order they were queued. After a failure it writes nothing until it is
// opened again.
class HistoryWriter final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    Q_DISABLE_COPY_MOVE(HistoryWriter)

    void open(const QString &path);
    void write(const HistoryRecord &record);
    void removeBefore(const QDateTime &cutoff);
    void close();

signals:
    // The file could not be opened or written; the text says why.
    void failed(const QString &error);

private:
    void fail();

    HistoryDatabase m_database;
};
