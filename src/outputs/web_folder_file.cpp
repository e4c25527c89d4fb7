#include "outputs/web_folder_file.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

namespace {

using Found = WebFolderFile::Found;

// The path asked for, cut into the folder, the whole path and the part of
// it below the folder.
struct Place {
    QByteArray folder;
    QByteArray path;
    QByteArray below;
};

WebFolderFile Verdict(Found found)
{
    WebFolderFile file;
    file.found = found;
    return file;
}

// What lies at a path outside the folder, told by its metadata alone: a
// regular file is forbidden, anything else is missing. Cached metadata is
// good enough, so a network mount is not asked again where it can be
// spared.
WebFolderFile Probe(const QByteArray &path)
{
    struct statx info = {};
    const bool regular = ::statx(AT_FDCWD, path.constData(), AT_STATX_DONT_SYNC, STATX_TYPE, &info) == 0
        && S_ISREG(info.stx_mode);
    return Verdict(regular ? Found::Outside : Found::Nothing);
}

// The path of a file or folder with every link followed, found by lookups
// alone; empty when it cannot be resolved.
QByteArray RealPath(const QByteArray &path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
}

QByteArray ProcLink(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// Where a descriptor really leads, as the kernel knows it.
QByteArray RealPathOf(int fd)
{
    char target[PATH_MAX];
    const ssize_t length = ::readlink(ProcLink(fd).constData(), target, sizeof target);
    return length > 0 && size_t(length) < sizeof target ? QByteArray(target, length) : QByteArray();
}

QByteArray FolderPrefix(const QByteArray &realFolder)
{
    return realFolder.endsWith('/') ? realFolder : realFolder + '/';
}

bool IsInside(const QByteArray &realFile, const QByteArray &realFolder)
{
    if (realFolder.isEmpty() || realFile.isEmpty())
        return false;
    const QByteArray prefix = FolderPrefix(realFolder);
    return realFile.size() > prefix.size() && realFile.startsWith(prefix);
}

// Errors that mean no file answers to the name.
bool NothingThere(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP || error == ENAMETOOLONG || error == EACCES;
}

// Takes hold of what a path below the folder names without opening it
// (O_PATH: no device, FIFO or file system is asked to open anything). The
// kernel refuses with EXDEV any "..", absolute link or link that would step
// out of the folder. -1 with errno set when nothing is held.
int HoldBeneath(int folder, const QByteArray &below)
{
    open_how how = {};
    how.flags = O_PATH | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    return int(::syscall(SYS_openat2, folder, below.constData(), &how, sizeof how));
}

// Opens for reading the very file a held path stands for, once it is known
// to be a regular file. Reopening through /proc reaches the same inode, not
// whatever the name names by now. The flags keep a read from ever waiting
// or taking a terminal; the second check is for the file actually opened.
WebFolderFile ReadRegular(const FileDescriptor &held)
{
    struct stat info = {};
    if (::fstat(held.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return Verdict(Found::Nothing);
    FileDescriptor fd(::open(ProcLink(held.get()).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.isValid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return Verdict(Found::Unreadable);
    WebFolderFile file;
    file.found = Found::File;
    file.fd = std::move(fd);
    return file;
}

// Without openat2: the real path is worked out by lookups, and the file
// held only when that lies inside. A folder on the way swapped for a link
// meanwhile is caught by asking where the held descriptor really leads.
WebFolderFile FindByRealPath(const Place &place)
{
    const QByteArray realFolder = RealPath(place.folder);
    const QByteArray real = RealPath(place.path);
    if (real.isEmpty())
        return Verdict(Found::Nothing);
    if (!IsInside(real, realFolder))
        return Probe(place.path);
    const FileDescriptor held(::open(real.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!held.isValid())
        return Verdict(Found::Nothing);
    if (!IsInside(RealPathOf(held.get()), realFolder))
        return Probe(place.path);
    return ReadRegular(held);
}

// A link on the way stepped out of the folder. It may lead back in (an
// absolute link to a file of the folder): then the real path, found by
// lookups alone, is held beneath the folder once more.
WebFolderFile FindThroughLink(int folder, const Place &place)
{
    const QByteArray realFolder = RealPathOf(folder);
    const QByteArray real = RealPath(place.path);
    if (!IsInside(real, realFolder))
        return Probe(place.path);
    const FileDescriptor held(HoldBeneath(folder, real.mid(FolderPrefix(realFolder).size())));
    return held.isValid() ? ReadRegular(held) : Probe(place.path);
}

WebFolderFile FindByKernel(const Place &place, bool fallBack)
{
    const FileDescriptor folder(::open(place.folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isValid())
        return Probe(place.path); // no folder, so nothing is inside it
    const FileDescriptor held(HoldBeneath(folder.get(), place.below));
    const int error = errno;
    if (held.isValid())
        return ReadRegular(held);
    if (error == EXDEV)
        return FindThroughLink(folder.get(), place);
    if (fallBack && (error == ENOSYS || error == EPERM))
        return FindByRealPath(place);
    return Verdict(NothingThere(error) ? Found::Nothing : Found::Unreadable);
}

} // namespace

WebFolderFile OpenWebFolderFile(const QString &webFolder, const QString &requestPath, BeneathLookup lookup)
{
    const QString folder = QDir::cleanPath(webFolder);
    const QString path = QDir::cleanPath(folder + u'/' + requestPath);
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    if (folder.isEmpty() || path.size() <= prefix.size() || !path.startsWith(prefix))
        return Probe(QFile::encodeName(path));

    const Place place { QFile::encodeName(folder), QFile::encodeName(path),
        QFile::encodeName(path.mid(prefix.size())) };
    if (lookup == BeneathLookup::RealPath)
        return FindByRealPath(place);
    return FindByKernel(place, lookup == BeneathLookup::Automatic);
}
