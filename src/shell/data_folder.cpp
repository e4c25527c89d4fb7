#include "shell/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString Clean(const QString &folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

DataFolder DataFolder::Resolve(const DataFolderInputs &inputs)
{
    DataFolder folder;
    const QFileInfo executable(inputs.executablePath);
    folder.m_programName = executable.fileName();
    if (folder.m_programName.isEmpty())
        folder.m_programName = QStringLiteral("linewarden");
    if (!inputs.dataDirOption.isEmpty()) {
        folder.m_path = Clean(inputs.dataDirOption);
    } else if (!inputs.homeVariable.isEmpty()) {
        folder.m_path = Clean(inputs.homeVariable);
    } else {
        const QString programFolder = executable.absolutePath();
        const QFileInfo info(programFolder);
        const bool writable = info.isDir() && info.isWritable();
        folder.m_path = Clean(writable ? programFolder : inputs.userDataFolder);
    }
    return folder;
}

DataFolderInputs DataFolder::CurrentInputs(const QString &dataDirOption)
{
    return DataFolderInputs { dataDirOption, qEnvironmentVariable("LINEWARDEN_HOME"),
        QCoreApplication::applicationFilePath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) };
}

QString DataFolder::filePath(const QString &name) const
{
    return m_path + QLatin1Char('/') + name;
}

QString DataFolder::settingsFile() const
{
    return programFile(QStringLiteral(".ini"));
}

QString DataFolder::programFile(const QString &suffix) const
{
    return filePath(m_programName + suffix);
}

bool DataFolder::ensureExists() const
{
    return QDir().mkpath(m_path);
}
