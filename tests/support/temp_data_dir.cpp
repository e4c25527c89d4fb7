#include "support/temp_data_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDataDir::TempDataDir() : m_dir(QDir::tempPath() + QStringLiteral("/linewarden-test-XXXXXX")) { }

bool TempDataDir::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray TempDataDir::readFile(const QString &name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
