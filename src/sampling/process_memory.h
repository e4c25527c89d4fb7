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

// Reads the figure of a running process, one process at a time. Its figures
// file stays open between reads (the kernel writes it afresh at each), so
// asking before every page load costs one small read, no allocation.
class AnonymousResidentReader {
public:
    AnonymousResidentReader() = default;
    ~AnonymousResidentReader();
    AnonymousResidentReader(const AnonymousResidentReader &) = delete;
    AnonymousResidentReader &operator=(const AnonymousResidentReader &) = delete;

    // The figure of process pid; nothing when it cannot be read (the
    // process has ended, or the system does not tell).
    std::optional<qint64> read(qint64 pid);

private:
    bool open(qint64 pid);
    void close();

    qint64 m_pid = 0;
    int m_fd = -1;
};
