#pragma once

#include "http/http_file.h"

#include <QString>
#include <QtGlobal>

#include <chrono>
#include <memory>

// How a path is looked up below the web folder. Kernel: the kernel resolves
// it beneath the folder's descriptor (openat2 with RESOLVE_BENEATH) and
// refuses any step out of it. RealPath: for kernels without openat2, the
// path's real place is worked out first by name lookups alone. Automatic:
// Kernel, falling back to RealPath where the kernel lacks openat2 or a
// filter forbids it.
enum class BeneathLookup { Automatic, Kernel, RealPath };

// What a path asked of the web server leads to. Inside or outside and a
// regular file or not are decided before anything is opened, and only a
// regular file inside is ever opened: a device, a FIFO, or a file on a hung
// mount elsewhere is never touched by an open.
struct WebFolderFile {
    enum class Found {
        File, // a regular file inside the folder, opened for reading in file
        Nothing, // no regular file there: missing, a folder, a FIFO, a device
        Outside, // a regular file, outside the folder
        Unreadable, // a regular file inside that could not be opened
    };
    Found found = Found::Nothing;
    std::shared_ptr<const HttpFile> file; // its size as it was checked
};

// The web folder, made ready once for the many requests answered from it:
// its cleaned name, a handle on the folder itself, and the files lately
// opened from it, so that a request for the same file need not open it anew.
// A kept file is used only while its inode, size and change time are the
// ones it was opened with: a file replaced under its name (another inode)
// or changed in place (a new change time) is opened afresh. Kept files are
// shared by the replies that send them: read them with offsets, as sendfile
// and pread do. The folder's name is looked up again at most once per
// RecheckInterval, so a folder removed or renamed away and made anew under
// its name is served from at most that long after. The server's threads
// share one; every member is safe to call from any thread.
class WebFolder final {
public:
    static constexpr std::chrono::milliseconds RecheckInterval { 100 };

    explicit WebFolder(const QString &path, BeneathLookup lookup = BeneathLookup::Automatic);
    ~WebFolder();
    WebFolder(const WebFolder &) = delete;
    WebFolder &operator=(const WebFolder &) = delete;

    const QString &path() const { return m_path; } // as given

    // The folder plus the request's decoded path, "." and ".." resolved by
    // name. A path that names the folder itself or leaves it by name is
    // outside; so is one that leaves it through a link, unless the link
    // leads back in. Inside means below the folder's own path exactly
    // (names that differ in case are other names here), so a sibling folder
    // that merely shares the folder's name as a prefix is outside. The
    // request's path below the folder, cleaned, goes to below when given.
    WebFolderFile open(const QString &requestPath, QString *below = nullptr) const;

private:
    struct Private;
    const QString m_path;
    const std::unique_ptr<Private> d;
};

// WebFolder(webFolder, lookup).open(requestPath), for one request.
WebFolderFile OpenWebFolderFile(
    const QString &webFolder, const QString &requestPath, BeneathLookup lookup = BeneathLookup::Automatic);
