#pragma once

#include <QByteArray>
#include <QString>

// The user guide on disk: written out at start beside the settings file as
// "<program>.html", opened with the desktop's HTML viewer on request and
// deleted again at close. It exists only while the program runs; a copy
// left behind by a crash is replaced at the next start.
class HelpFile {
public:
    explicit HelpFile(QString path) : m_path(std::move(path)) { }

    // "<folder>/<settings file's base name>.html".
    static HelpFile Beside(const QString &settingsFile);

    QString path() const { return m_path; }
    // A file (not a folder) is there.
    bool exists() const;

    // Deletes a file left at the path, then creates the file afresh and
    // writes the guide into it. Whatever cannot be deleted (a folder, or a
    // file in a folder we may not write) stays and nothing is written, and a
    // write that fails half way leaves no file. False when the guide is not
    // there afterwards.
    bool writeOut(const QByteArray &guide) const;

    // Deletes the file; a failure is ignored.
    void remove() const;

private:
    QString m_path;
};

// The user guide held in the resource folder (for example ":/help"):
// "guide.html" with each picture it shows from that folder inlined as a data
// URI, so the one written-out file shows its pictures wherever it lies.
// Empty when the folder holds no guide.
QByteArray SelfContainedGuide(const QString &folder);
