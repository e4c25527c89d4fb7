#include "shell/controls/folder_size_cache.h"

#include "base/clock.h"
#include "shell/controls/size_texts.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {

// A folder changed this recently may change again unseen: its time can
// stay the same across two changes within the file system's tick.
constexpr int SettleSeconds = 2;

} // namespace

qint64 FolderSizeCache::size(const QString &folder)
{
    const QDateTime now = m_clock.now();
    if (!unchanged(folder, now))
        walk(folder, now);
    return m_size;
}

bool FolderSizeCache::unchanged(const QString &folder, const QDateTime &now) const
{
    if (!m_kept || folder != m_folder || !m_walkedAt.isValid() || now < m_walkedAt
        || m_walkedAt.secsTo(now) >= RewalkSeconds)
        return false;
    for (const Seen &seen : m_folders)
        if (QFileInfo(seen.path).lastModified() != seen.modified)
            return false;
    return true;
}

void FolderSizeCache::walk(const QString &folder, const QDateTime &now)
{
    // The folders' times first: a change made during the walk below then
    // shows at the next call.
    m_folders = { { folder, QFileInfo(folder).lastModified() } };
    QDirIterator it(folder, QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!info.isSymLink())
            m_folders.append({ info.filePath(), info.lastModified() });
    }
    m_size = FolderSize(folder);
    m_folder = folder;
    m_walkedAt = now;
    const QDateTime settled = now.addSecs(-SettleSeconds);
    m_kept = std::all_of(m_folders.cbegin(), m_folders.cend(),
        [&settled](const Seen &seen) { return seen.modified.isValid() && seen.modified < settled; });
}
