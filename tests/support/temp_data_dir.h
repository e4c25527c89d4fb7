#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh data folder for one test, removed with everything in it when the
// test ends.
class TempDataDir {
public:
    TempDataDir();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes bytes to a file under the folder, creating subfolders.
    bool writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
