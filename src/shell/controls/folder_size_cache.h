#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

class Clock;

// FolderSize of one folder, kept from one call to the next while nothing in
// it has changed: the status bar asks after every sample, and a walk over
// thousands of captures costs far more than the sample itself.
//
// Adding, removing or renaming an entry moves the modification time of the
// folder that holds it, so the folder and each of its subfolders are
// checked (one stat each) and any change walks the whole tree again. A file
// that grows in place moves no folder's time: the walk is made afresh at
// least every RewalkSeconds all the same. A folder changed in the last
// seconds before a walk may change again within the same tick of its time,
// so such a walk is not kept.
class FolderSizeCache {
public:
    static constexpr int RewalkSeconds = 60;

    explicit FolderSizeCache(const Clock &clock) : m_clock(clock) { }

    qint64 size(const QString &folder);

private:
    struct Seen {
        QString path;
        QDateTime modified;
    };

    bool unchanged(const QString &folder, const QDateTime &now) const;
    void walk(const QString &folder, const QDateTime &now);

    const Clock &m_clock;
    QString m_folder;
    qint64 m_size = 0;
    QList<Seen> m_folders;
    QDateTime m_walkedAt;
    bool m_kept = false;
};
