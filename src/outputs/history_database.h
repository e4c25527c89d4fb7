#pragma once

#include "sampling/history_record.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

// One connection to the history file, used only on the thread that opened
// it. The file holds one table of samples keyed by their moment in
// milliseconds; margins, power and attenuation are kept as whole tenths and
// speeds and counts as whole numbers, each user figure in its own pair of
// columns that stay empty while the figure is not read, so a sample takes
// some 60 bytes. A value finer than its column's unit is kept as it is.
class HistoryDatabase final {
public:
    // What the last failure was, as far as the history is concerned.
    enum class Failure {
        None,
        Damaged, // the file is not a database, or a damaged one
        Other, // it cannot be opened, read or written for another reason
    };

    HistoryDatabase();
    ~HistoryDatabase();
    Q_DISABLE_COPY_MOVE(HistoryDatabase)

    // Opens the file, creating it with its table when it is missing, in
    // WAL journal mode with synchronous NORMAL. With check on, the whole
    // file is checked first, and a damaged one is not opened.
    bool open(const QString &path, bool check);
    void close();
    bool isOpen() const;

    // Stores one sample in a transaction of its own; a sample of the same
    // millisecond as a stored one takes its place.
    bool insert(const HistoryRecord &record);
    // Hands over the samples from from to to, both included, in time order;
    // an invalid moment leaves that end open.
    bool forEach(
        const QDateTime &from, const QDateTime &to, const std::function<void(HistoryRecord &&)> &visit) const;
    // Deletes the samples older than cutoff.
    bool removeBefore(const QDateTime &cutoff);

    Failure failure() const;
    // The last failure's text, ending with the file's path.
    QString errorText() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
