#include "shell/program/data_folder.h"

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
        const bool ownFolder = info.isDir() && info.isWritable() && !inputs.installed;
        folder.m_path = Clean(ownFolder ? programFolder : inputs.userDataFolder);
    }
    return folder;
}

DataFolderInputs DataFolder::CurrentInputs(const QString &dataDirOption)
{
    const QString executable = QCoreApplication::applicationFilePath();
    return DataFolderInputs { dataDirOption, qEnvironmentVariable("LINEWARDEN_HOME"), executable,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), IsInstalled(executable) };
}

bool DataFolder::IsInstalled(const QString &executablePath)
{
    const QString programFolder = QFileInfo(executablePath).absolutePath();
    return QFileInfo::exists(programFolder + QStringLiteral("/../share/applications/linewarden.desktop"));
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
