#pragma once

#include <QByteArrayView>

#include <optional>

// The anonymous resident memory of a process, from Linux's process memory
// figures: what the process itself has filled (heaps, script engines,
// parsed documents), without the libraries it shares with its siblings.

// The anonymous resident KiB of a "statm" text ("size resident shared ..."
// in pages of pageBytes): resident less shared. Nothing when the text does
// not hold those figures.
std::optional<qint64> ParseAnonymousResidentKiB(QByteArrayView statm, qint64 pageBytes);

// The figure of the running process pid; nothing when it cannot be read
// (the process has ended, or the system does not tell). Cheap enough to ask
// before every page load: one small read, no allocation.
std::optional<qint64> AnonymousResidentKiB(qint64 pid);
