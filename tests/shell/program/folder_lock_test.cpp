// The lock that keeps one program per data folder: who holds it, in words,
// and which locks a new start takes over.
#include "shell/program/folder_lock.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace {

using Role = FolderLock::Role;

TEST(FolderLock, HolderInWords)
{
    struct Case {
        FolderLock::Holder holder;
        const char *text;
    };
    const Case cases[] = {
        { { 1234, {}, Role::Headless }, "linewarden --headless (process 1234)" },
        { { 1234, {}, Role::Desktop }, "the linewarden desktop program (process 1234)" },
        { { 77, {}, std::nullopt }, "linewarden (process 77)" },
        { { 1234, QStringLiteral("attic"), Role::Headless },
            "linewarden --headless (process 1234 on attic)" },
        { { 0, {}, Role::Desktop }, "another linewarden program" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(FolderLock::HolderText(c.holder), QString::fromUtf8(c.text)) << c.text;
}

// Takes the folder in a child process that then dies without letting go,
// as a program killed with SIGKILL does.
void LeaveLockOfDeadProcess(const QString &folder)
{
    const pid_t child = ::fork();
    if (child == 0) {
        FolderLock lock(folder);
        ::_exit(lock.tryTake(Role::Desktop) == FolderLock::Outcome::Taken ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFileInfo::exists(QDir(folder).filePath(FolderLock::LockFileName())));
}

void Age(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

TEST(FolderLock, SecondStartIsRefusedUnlessTheHolderIsGone)
{
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString lockName = FolderLock::LockFileName();
    const QString noteName = FolderLock::HolderFileName();
    struct Case {
        const char *name;
        std::function<void(const TempDataDir &, std::unique_ptr<FolderLock> &)> before;
        FolderLock::Outcome outcome;
        QString inUseBy; // for a refused start
    };
    const auto liveHolder = [](Role role) {
        return [role](const TempDataDir &data, std::unique_ptr<FolderLock> &holder) {
            holder = std::make_unique<FolderLock>(data.path());
            ASSERT_EQ(holder->tryTake(role), FolderLock::Outcome::Taken);
        };
    };
    const Case cases[] = {
        { "free folder", [](const TempDataDir &, std::unique_ptr<FolderLock> &) {},
            FolderLock::Outcome::Taken, {} },
        { "held by a desktop program", liveHolder(Role::Desktop), FolderLock::Outcome::Busy,
            QStringLiteral("the linewarden desktop program (process %1)").arg(pid) },
        { "held by the mode without windows", liveHolder(Role::Headless), FolderLock::Outcome::Busy,
            QStringLiteral("linewarden --headless (process %1)").arg(pid) },
        { "held for an hour by a live program",
            [&](const TempDataDir &data, std::unique_ptr<FolderLock> &holder) {
                liveHolder(Role::Headless)(data, holder);
                Age(data.filePath(lockName));
            },
            FolderLock::Outcome::Busy, QStringLiteral("linewarden --headless (process %1)").arg(pid) },
        { "holder's note left by an earlier holder",
            [&](const TempDataDir &data, std::unique_ptr<FolderLock> &holder) {
                liveHolder(Role::Desktop)(data, holder);
                ASSERT_TRUE(data.writeFile(noteName, "1 headless\n"));
            },
            FolderLock::Outcome::Busy, QStringLiteral("linewarden (process %1)").arg(pid) },
        { "holder killed",
            [](const TempDataDir &data, std::unique_ptr<FolderLock> &) {
                LeaveLockOfDeadProcess(data.path());
            },
            FolderLock::Outcome::Taken, {} },
        { "unreadable lock file, fresh",
            [&](const TempDataDir &data, std::unique_ptr<FolderLock> &) {
                ASSERT_TRUE(data.writeFile(lockName, ""));
            },
            FolderLock::Outcome::Busy, QStringLiteral("another linewarden program") },
        { "unreadable lock file an hour old",
            [&](const TempDataDir &data, std::unique_ptr<FolderLock> &) {
                ASSERT_TRUE(data.writeFile(lockName, ""));
                Age(data.filePath(lockName));
            },
            FolderLock::Outcome::Taken, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempDataDir data;
        std::unique_ptr<FolderLock> holder;
        c.before(data, holder);
        FolderLock second(data.path());
        EXPECT_EQ(second.tryTake(Role::Headless), c.outcome);
        if (c.outcome == FolderLock::Outcome::Busy) {
            EXPECT_FALSE(second.isHeld());
            EXPECT_EQ(second.busyText(),
                QStringLiteral("the data folder %1 is in use by %2").arg(data.path(), c.inUseBy));
        } else {
            // Taken: the lock now names this process as the mode without windows.
            EXPECT_TRUE(second.isHeld());
            EXPECT_EQ(data.readFile(noteName), QStringLiteral("%1 headless\n").arg(pid).toUtf8());
        }
    }
}

TEST(FolderLock, ReleasedWithItsHolder)
{
    TempDataDir data;
    {
        FolderLock first(data.path());
        ASSERT_EQ(first.tryTake(Role::Desktop), FolderLock::Outcome::Taken);
    }
    EXPECT_FALSE(QFileInfo::exists(data.filePath(FolderLock::LockFileName())));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(FolderLock::HolderFileName())));
    FolderLock next(data.path());
    EXPECT_EQ(next.tryTake(Role::Desktop), FolderLock::Outcome::Taken);
    FolderLock missing(data.filePath(QStringLiteral("no such folder")));
    EXPECT_EQ(missing.tryTake(Role::Desktop), FolderLock::Outcome::Unavailable);
}

} // namespace
