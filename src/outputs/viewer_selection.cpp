#include "outputs/viewer_selection.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString Cleaned(const QString &folder)
{
    return folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

ViewerSelection::ViewerSelection(const QString &folder) : m_folder(Cleaned(folder)) { }

void ViewerSelection::setFolder(const QString &folder)
{
    m_folder = Cleaned(folder);
}

QString ViewerSelection::parentFolder() const
{
    if (m_folder.isEmpty() || QDir(m_folder).isRoot())
        return QString();
    return QFileInfo(m_folder).absolutePath();
}

ViewerSelection::Entry ViewerSelection::entry(const QString &name, bool isFolder) const
{
    if (name == QStringLiteral(".."))
        return { parentFolder(), Kind::UpOneLevel };
    return { QDir(m_folder).filePath(name), isFolder ? Kind::Folder : Kind::File };
}

ViewerSelection::Outcome ViewerSelection::selected(const std::optional<Entry> &entry, bool showPath)
{
    Outcome outcome;
    if (!entry) {
        outcome.picture = Picture::Clear;
        return outcome;
    }
    if (showPath)
        outcome.statusText = QDir::toNativeSeparators(entry->path);
    if (entry->kind == Kind::File && isPicture(entry->path)) {
        outcome.picture = Picture::Load;
        outcome.picturePath = entry->path;
    }
    return outcome;
}

bool ViewerSelection::open(const Entry &entry)
{
    if (entry.kind == Kind::File || entry.path.isEmpty())
        return false;
    const QString before = m_folder;
    setFolder(entry.path);
    return m_folder != before;
}

bool ViewerSelection::up()
{
    const QString parent = parentFolder();
    if (parent.isEmpty())
        return false;
    m_folder = parent;
    return true;
}

bool ViewerSelection::isPicture(const QString &path)
{
    return QFileInfo(path).suffix().toLower() == QStringLiteral("jpg");
}
