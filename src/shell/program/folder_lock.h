#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

class QLockFile;

// One program per data folder: every run that watches the line (the desktop
// program, its demo, the mode without windows) takes the lock file
// "linewarden.lock" in its data folder for as long as it runs, so two of
// them never write the same settings file, log and captures. The lock file
// carries the holder's process id; "linewarden.lock.holder" beside it says
// whether that process is the desktop program or the mode without windows,
// so a second start can tell the user which one holds the folder. A lock
// left by a process that is gone (killed, crashed) is taken over.
class FolderLock final {
public:
    enum class Role { Desktop, Headless };

    // The process holding a folder, as far as its lock tells.
    struct Holder {
        qint64 pid = 0; // 0: unknown
        QString hostName; // empty: this machine
        std::optional<Role> role; // empty: unknown
    };

    enum class Outcome {
        Taken, // this process holds the folder now
        Busy, // another live process holds it
        Unavailable, // no lock file can be made there (folder missing or not writable)
    };

    // The exit status of a start that finds its folder held.
    static constexpr int BusyExitStatus = 3;

    explicit FolderLock(const QString &folder);
    ~FolderLock();
    Q_DISABLE_COPY_MOVE(FolderLock)

    // Takes the folder for this process in the given role.
    Outcome tryTake(Role role);

    // Whether this process holds the folder.
    bool isHeld() const;

    // The folder's holder as the lock file and its holder note tell it.
    Holder holder() const;

    // "linewarden: the data folder DIR is in use by linewarden --headless
    // (process 1234)", without the "linewarden: " prefix.
    QString busyText() const;

    // Said when no lock can be made: the program runs, unguarded.
    QString unavailableText() const;

    // The holder in words: "linewarden --headless (process 1234)", "the
    // linewarden desktop program (process 1234 on otherhost)", ...
    static QString HolderText(const Holder &holder);

    static QString LockFileName(); // "linewarden.lock"
    static QString HolderFileName(); // "linewarden.lock.holder"

private:
    void writeHolderNote(Role role) const;

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};
