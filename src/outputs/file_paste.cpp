#include "outputs/file_paste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool PasteOne(const QFileInfo &source, const QDir &target, bool move)
{
    if (!source.exists())
        return false;
    if (move && source.absoluteDir() == target)
        return true;
    const QString destination = target.filePath(FreeFileName(target.path(), source.fileName()));
    if (source.isDir())
        return move && QDir().rename(source.absoluteFilePath(), destination);
    return move ? QFile::rename(source.absoluteFilePath(), destination)
                : QFile::copy(source.absoluteFilePath(), destination);
}

} // namespace

QString FreeFileName(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (!QFileInfo::exists(dir.filePath(name)))
        return name;
    // The extension is what follows the last dot; a leading dot (a hidden
    // file) belongs to the stem.
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    for (int number = 2;; ++number) {
        const QString candidate = stem + QStringLiteral(" (%1)").arg(number) + extension;
        if (!QFileInfo::exists(dir.filePath(candidate)))
            return candidate;
    }
}

QStringList PasteFiles(const QStringList &sources, const QString &folder, bool move)
{
    const QDir target(folder);
    QStringList failed;
    for (const QString &source : sources) {
        if (!PasteOne(QFileInfo(source), target, move))
            failed.append(source);
    }
    return failed;
}
