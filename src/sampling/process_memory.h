#pragma once

#include <QByteArrayView>

#include <optional>

// The anonymous resident memory of a process, from Linux's process status
// text: what the process itself has filled (heaps, script engines, parsed
// documents), without the libraries it shares with its siblings.

// The "RssAnon:" line of a status text, in KiB; nothing when the line is
// missing or not a number.
std::optional<qint64> ParseAnonymousResidentKiB(QByteArrayView status);

// The figure of the running process pid; nothing when it cannot be read
// (the process has ended, or the system does not tell).
std::optional<qint64> AnonymousResidentKiB(qint64 pid);
