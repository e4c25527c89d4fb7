#pragma once

#include "outputs/file_descriptor.h"

#include <QString>

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
        File, // a regular file inside the folder, opened for reading in fd
        Nothing, // no regular file there: missing, a folder, a FIFO, a device
        Outside, // a regular file, outside the folder
        Unreadable, // a regular file inside that could not be opened
    };
    Found found = Found::Nothing;
    FileDescriptor fd;
};

// The web folder plus the request's decoded path, "." and ".." resolved by
// name. A path that names the folder itself or leaves it by name is
// outside; so is one that leaves it through a link, unless the link leads
// back in. Inside means below the folder's own path exactly (names that
// differ in case are other names here), so a sibling folder that merely
// shares the folder's name as a prefix is outside.
WebFolderFile OpenWebFolderFile(
    const QString &webFolder, const QString &requestPath, BeneathLookup lookup = BeneathLookup::Automatic);
