#pragma once

#include <QString>

// Where the program keeps its own files: the settings file, "log.txt", the
// "Capture" and "WebServer" folders and the help file.
//
// A folder given with --data-dir stands in for the program's folder, else the
// LINEWARDEN_HOME environment variable; without either it is the folder of
// the executable, unless that folder is not writable or the program was
// installed (`cmake --install` put a desktop entry beside it), when the
// per-user data folder takes its place: an installed program never writes
// into the system's program folders, not even when run as root.
struct DataFolderInputs {
    QString dataDirOption; // --data-dir, empty when not given
    QString homeVariable; // LINEWARDEN_HOME, empty when not set
    QString executablePath; // the running program file
    QString userDataFolder; // the per-user data folder
    bool installed = false; // an installed copy of the program
};

class DataFolder {
public:
    // Picks the folder by the rule above. Nothing is created.
    static DataFolder Resolve(const DataFolderInputs &inputs);

    // The inputs of the running program: the executable, the environment
    // and the platform's per-user data folder.
    static DataFolderInputs CurrentInputs(const QString &dataDirOption);

    // Whether the program at this path is an installed copy: its desktop
    // entry lies in "../share/applications" beside its folder.
    static bool IsInstalled(const QString &executablePath);

    // The folder, without a trailing "/".
    QString path() const { return m_path; }

    // A file or folder inside it.
    QString filePath(const QString &name) const;

    // "<folder>/<executable name>.ini".
    QString settingsFile() const;

    // "<folder>/<executable name>" + suffix, for files named after the program.
    QString programFile(const QString &suffix) const;

    // Creates the folder when it is missing; false when that fails.
    bool ensureExists() const;

private:
    QString m_path;
    QString m_programName;
};
