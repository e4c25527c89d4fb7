#include "shell/program/folder_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QSysInfo>

namespace {

QLatin1String RoleWord(FolderLock::Role role)
{
    return role == FolderLock::Role::Headless ? QLatin1String("headless") : QLatin1String("desktop");
}

// The holder note: "<pid> desktop" or "<pid> headless". Garbage reads as
// no note.
std::optional<std::pair<qint64, FolderLock::Role>> ReadHolderNote(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> words = file.read(64).simplified().split(' ');
    if (words.size() != 2)
        return std::nullopt;
    bool ok = false;
    const qint64 pid = words.at(0).toLongLong(&ok);
    if (!ok || pid <= 0)
        return std::nullopt;
    if (words.at(1) == "desktop")
        return std::make_pair(pid, FolderLock::Role::Desktop);
    if (words.at(1) == "headless")
        return std::make_pair(pid, FolderLock::Role::Headless);
    return std::nullopt;
}

} // namespace

FolderLock::FolderLock(const QString &folder)
    : m_folder(folder), m_lock(std::make_unique<QLockFile>(QDir(folder).filePath(LockFileName())))
{
    // A lock file nobody can read (a crash while it was written) counts as
    // stale after the usual 30 s; a live holder keeps its lock regardless,
    // as the lock file also carries a system lock while it is held.
}

FolderLock::~FolderLock()
{
    // The note goes while the lock (released after this body) still keeps
    // the next holder out, so it never removes a newer holder's note.
    if (isHeld())
        QFile::remove(QDir(m_folder).filePath(HolderFileName()));
}

QString FolderLock::LockFileName()
{
    return QStringLiteral("linewarden.lock");
}

QString FolderLock::HolderFileName()
{
    return QStringLiteral("linewarden.lock.holder");
}

FolderLock::Outcome FolderLock::tryTake(Role role)
{
    if (isHeld())
        return Outcome::Taken;
    if (m_lock->tryLock(0)) {
        writeHolderNote(role);
        return Outcome::Taken;
    }
    return m_lock->error() == QLockFile::LockFailedError ? Outcome::Busy : Outcome::Unavailable;
}

bool FolderLock::isHeld() const
{
    return m_lock->isLocked();
}

void FolderLock::writeHolderNote(Role role) const
{
    // Written whole or not at all: a reader sees the note of this holder or
    // of an earlier one, which the process id tells apart.
    QSaveFile file(QDir(m_folder).filePath(HolderFileName()));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QByteArray::number(QCoreApplication::applicationPid()) + ' ' + RoleWord(role).latin1() + '\n');
    file.commit();
}

FolderLock::Holder FolderLock::holder() const
{
    Holder holder;
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (!m_lock->getLockInfo(&pid, &hostName, &appName))
        return holder;
    holder.pid = pid;
    if (hostName != QSysInfo::machineHostName())
        holder.hostName = hostName;
    const auto note = ReadHolderNote(QDir(m_folder).filePath(HolderFileName()));
    if (note && note->first == pid)
        holder.role = note->second;
    return holder;
}

QString FolderLock::HolderText(const Holder &holder)
{
    if (holder.pid <= 0)
        return QStringLiteral("another linewarden program");
    QString process = QStringLiteral("process %1").arg(holder.pid);
    if (!holder.hostName.isEmpty())
        process += QStringLiteral(" on %1").arg(holder.hostName);
    if (!holder.role)
        return QStringLiteral("linewarden (%1)").arg(process);
    if (*holder.role == Role::Headless)
        return QStringLiteral("linewarden --headless (%1)").arg(process);
    return QStringLiteral("the linewarden desktop program (%1)").arg(process);
}

QString FolderLock::busyText() const
{
    return QStringLiteral("the data folder %1 is in use by %2")
        .arg(QDir::toNativeSeparators(m_folder), HolderText(holder()));
}

QString FolderLock::unavailableText() const
{
    return QStringLiteral("the data folder %1 cannot be locked (missing or not writable): another program "
                          "on it would go unnoticed")
        .arg(QDir::toNativeSeparators(m_folder));
}
