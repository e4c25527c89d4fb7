#include "outputs/web_folder_file.h"

#include "outputs/file_descriptor.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <shared_mutex>
#include <utility>
#include <vector>

namespace {

using Found = WebFolderFile::Found;

// The path asked for, cut into the folder, the whole path and the part of
// it below the folder.
struct Place {
    QByteArray folder;
    QString path;
    QByteArray below;
};

// The files lately opened from a folder: a file asked for again is answered
// with the one already open (and whatever the server prepared for sending
// it), rather than opened anew through /proc, which costs a path walk of its
// own. A kept file is used only while its identity (device and inode), size
// and change time are what they were when it was opened: a file replaced
// under its name is another inode, and one written to, made unreadable or
// otherwise changed in place has a new change time, so it is opened (and
// its permissions checked) afresh. An inode number cannot be given to
// another file while a descriptor here keeps its file alive, so the identity
// is never mistaken. The few kept are dropped once no name leads to them
// any more (noise.jpg is replaced at every sample), so a deleted file does
// not hold its disk space for long.
class OpenedFiles {
public:
    // The kept file that info describes; null when there is none.
    std::shared_ptr<const HttpFile> find(const struct stat &info) const
    {
        const std::shared_lock<std::shared_mutex> lock(m_mutex);
        for (const Entry &entry : m_entries) {
            if (entry.file && entry.describedBy(info))
                return entry.file;
        }
        return nullptr;
    }

    // Keeps file, which info describes, in place of any kept for its inode.
    void keep(const struct stat &info, std::shared_ptr<const HttpFile> file)
    {
        const std::unique_lock<std::shared_mutex> lock(m_mutex);
        Entry *slot = nullptr;
        for (Entry &entry : m_entries) {
            struct stat now = {};
            if (entry.file && (::fstat(entry.file->handle(), &now) != 0 || now.st_nlink == 0))
                entry.file.reset();
            if (entry.file && entry.info.st_dev == info.st_dev && entry.info.st_ino == info.st_ino)
                slot = &entry;
        }
        for (Entry &entry : m_entries) {
            if (!slot && !entry.file)
                slot = &entry;
        }
        if (!slot) {
            slot = &m_entries[m_next];
            m_next = (m_next + 1) % m_entries.size();
        }
        slot->info = info;
        slot->file = std::move(file);
    }

private:
    struct Entry {
        struct stat info = {}; // the file's when it was opened
        std::shared_ptr<const HttpFile> file;

        bool describedBy(const struct stat &now) const
        {
            return now.st_dev == info.st_dev && now.st_ino == info.st_ino && now.st_size == info.st_size
                && now.st_ctim.tv_sec == info.st_ctim.tv_sec && now.st_ctim.tv_nsec == info.st_ctim.tv_nsec;
        }
    };
    mutable std::shared_mutex m_mutex; // requests only read, side by side
    std::array<Entry, 8> m_entries;
    size_t m_next = 0; // the entry replaced next when none is free
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
WebFolderFile Probe(const QString &path)
{
    struct statx info = {};
    const bool regular
        = ::statx(AT_FDCWD, QFile::encodeName(path).constData(), AT_STATX_DONT_SYNC, STATX_TYPE, &info) == 0
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
// to be a regular file: the one kept from before, or else a reopen through
// /proc, which reaches the same inode, not whatever the name names by now.
// The flags keep a read from ever waiting or taking a terminal; the second
// check confirms the file actually opened is that inode. The size is the
// file's as it was checked.
WebFolderFile ReadRegular(const FileDescriptor &held, OpenedFiles &opened)
{
    struct stat info = {};
    if (::fstat(held.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return Verdict(Found::Nothing);
    WebFolderFile file;
    file.found = Found::File;
    file.file = opened.find(info);
    if (file.file)
        return file;
    FileDescriptor fd(::open(ProcLink(held.get()).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat reached = {};
    if (!fd.isValid() || ::fstat(fd.get(), &reached) != 0 || !S_ISREG(reached.st_mode)
        || reached.st_dev != info.st_dev || reached.st_ino != info.st_ino)
        return Verdict(Found::Unreadable);
    file.file = std::make_shared<const HttpFile>(fd.release(), quint64(info.st_size));
    opened.keep(info, file.file);
    return file;
}

// Without openat2: the real path is worked out by lookups, and the file
// held only when that lies inside. A folder on the way swapped for a link
// meanwhile is caught by asking where the held descriptor really leads.
WebFolderFile FindByRealPath(const Place &place, OpenedFiles &opened)
{
    const QByteArray path = QFile::encodeName(place.path);
    const QByteArray realFolder = RealPath(place.folder);
    const QByteArray real = RealPath(path);
    if (real.isEmpty())
        return Verdict(Found::Nothing);
    if (!IsInside(real, realFolder))
        return Probe(place.path);
    const FileDescriptor held(::open(real.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!held.isValid())
        return Verdict(Found::Nothing);
    if (!IsInside(RealPathOf(held.get()), realFolder))
        return Probe(place.path);
    return ReadRegular(held, opened);
}

// A link on the way stepped out of the folder. It may lead back in (an
// absolute link to a file of the folder): then the real path, found by
// lookups alone, is held beneath the folder once more.
WebFolderFile FindThroughLink(int folder, const Place &place, OpenedFiles &opened)
{
    const QByteArray realFolder = RealPathOf(folder);
    const QByteArray real = RealPath(QFile::encodeName(place.path));
    if (!IsInside(real, realFolder))
        return Probe(place.path);
    const FileDescriptor held(HoldBeneath(folder, real.mid(FolderPrefix(realFolder).size())));
    return held.isValid() ? ReadRegular(held, opened) : Probe(place.path);
}

// Where a name leads, as device and inode; false when it leads nowhere.
bool IdentityOf(int at, const char *path, int flags, dev_t &device, ino_t &inode)
{
    struct statx info = {};
    if (::statx(at, path, flags, STATX_INO, &info) != 0)
        return false;
    device = makedev(info.stx_dev_major, info.stx_dev_minor);
    inode = info.stx_ino;
    return true;
}

qint64 NowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The folder's own descriptor, shared by the requests. Its name is looked
// up again at most once per recheck interval, not for every request: a
// folder renamed away or removed and made anew under the name is a new
// inode, taken from the next check on. A descriptor once handed out stays
// open until the WebFolder goes (a request may still be using it), so each
// folder the name led to is held once.
class FolderHandle {
public:
    explicit FolderHandle(QByteArray name) : m_name(std::move(name)) { }

    // The folder's descriptor; -1 when no folder is there.
    int get()
    {
        const qint64 now = NowNanoseconds();
        if (now - m_checkedAt.load(std::memory_order_acquire) < RecheckNanoseconds)
            return m_current.load(std::memory_order_acquire);
        return recheck(now);
    }

private:
    static constexpr qint64 RecheckNanoseconds
        = std::chrono::duration_cast<std::chrono::nanoseconds>(WebFolder::RecheckInterval).count();

    struct Taken {
        dev_t device = 0;
        ino_t inode = 0;
        FileDescriptor fd;
    };

    int recheck(qint64 now)
    {
        // While another request looks the name up, the folder it had still
        // does, rather than waiting.
        std::unique_lock<std::mutex> lock(m_mutex, std::try_to_lock);
        if (!lock.owns_lock()) {
            const int current = m_current.load(std::memory_order_acquire);
            if (current >= 0)
                return current;
            lock.lock();
        }
        dev_t device = 0;
        ino_t inode = 0;
        const int current = m_current.load(std::memory_order_relaxed);
        const Taken *found = nullptr;
        if (current >= 0 && IdentityOf(AT_FDCWD, m_name.constData(), 0, device, inode)) {
            for (const Taken &taken : m_taken) {
                if (taken.device == device && taken.inode == inode)
                    found = &taken;
            }
        }
        if (!found) {
            Taken taken;
            taken.fd = FileDescriptor(::open(m_name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (!taken.fd.isValid()
                || !IdentityOf(taken.fd.get(), "", AT_EMPTY_PATH, taken.device, taken.inode)) {
                m_current.store(-1, std::memory_order_release);
                return -1; // looked for again by the next request
            }
            for (const Taken &held : m_taken) {
                if (held.device == taken.device && held.inode == taken.inode)
                    found = &held;
            }
            if (!found) {
                m_taken.push_back(std::move(taken));
                found = &m_taken.back();
            }
        }
        m_current.store(found->fd.get(), std::memory_order_release);
        m_checkedAt.store(now, std::memory_order_release);
        return found->fd.get();
    }

    const QByteArray m_name;
    std::atomic<qint64> m_checkedAt { std::numeric_limits<qint64>::min() / 2 };
    std::atomic<int> m_current { -1 };
    std::mutex m_mutex;
    std::vector<Taken> m_taken; // every folder handed out, for as long as this lives
};

} // namespace

struct WebFolder::Private {
    explicit Private(const QString &path, BeneathLookup how)
        : folder(QDir::cleanPath(path)), prefix(folder.endsWith(u'/') ? folder : folder + u'/'),
          encodedFolder(QFile::encodeName(folder)), lookup(how), handle(encodedFolder)
    {
    }

    const QString folder; // cleaned
    const QString prefix; // the folder with one trailing slash
    const QByteArray encodedFolder;
    const BeneathLookup lookup;
    mutable FolderHandle handle;
    mutable OpenedFiles opened;

    WebFolderFile findByKernel(const Place &place, bool fallBack) const
    {
        const int folder = handle.get();
        if (folder < 0)
            return Probe(place.path); // no folder, so nothing is inside it
        const FileDescriptor file(HoldBeneath(folder, place.below));
        const int error = errno;
        if (file.isValid())
            return ReadRegular(file, opened);
        if (error == EXDEV)
            return FindThroughLink(folder, place, opened);
        if (fallBack && (error == ENOSYS || error == EPERM))
            return FindByRealPath(place, opened);
        return Verdict(NothingThere(error) ? Found::Nothing : Found::Unreadable);
    }
};

WebFolder::WebFolder(const QString &path, BeneathLookup lookup)
    : m_path(path), d(std::make_unique<Private>(path, lookup))
{
}

WebFolder::~WebFolder() = default;

WebFolderFile WebFolder::open(const QString &requestPath, QString *below) const
{
    const QString path = QDir::cleanPath(d->folder + u'/' + requestPath);
    if (d->folder.isEmpty() || path.size() <= d->prefix.size() || !path.startsWith(d->prefix))
        return Probe(path);

    const QString inside = path.mid(d->prefix.size());
    const Place place { d->encodedFolder, path, QFile::encodeName(inside) };
    if (below)
        *below = inside;
    if (d->lookup == BeneathLookup::RealPath)
        return FindByRealPath(place, d->opened);
    return d->findByKernel(place, d->lookup == BeneathLookup::Automatic);
}

WebFolderFile OpenWebFolderFile(const QString &webFolder, const QString &requestPath, BeneathLookup lookup)
{
    return WebFolder(webFolder, lookup).open(requestPath);
}
