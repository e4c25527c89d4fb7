#include "sampling/process_memory.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace {

// The next decimal field of text from position at, skipping the spaces
// before it; nothing when there is no number there.
std::optional<qint64> NextField(QByteArrayView text, qsizetype &at)
{
    while (at < text.size() && text.at(at) == ' ')
        ++at;
    const qsizetype start = at;
    qint64 value = 0;
    while (at < text.size() && text.at(at) >= '0' && text.at(at) <= '9') {
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10)
            return std::nullopt;
        value = value * 10 + (text.at(at) - '0');
        ++at;
    }
    return at > start ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

std::optional<qint64> ParseAnonymousResidentKiB(QByteArrayView statm, qint64 pageBytes)
{
    qsizetype at = 0;
    const std::optional<qint64> size = NextField(statm, at);
    const std::optional<qint64> resident = size ? NextField(statm, at) : std::nullopt;
    const std::optional<qint64> shared = resident ? NextField(statm, at) : std::nullopt;
    if (!shared || *shared > *resident || pageBytes <= 0)
        return std::nullopt;
    return (*resident - *shared) * (pageBytes / 1024);
}

AnonymousResidentReader::~AnonymousResidentReader()
{
    close();
}

std::optional<qint64> AnonymousResidentReader::read(qint64 pid)
{
    if (pid <= 0)
        return std::nullopt;
    std::array<char, 256> text {};
    // A file kept from before may be of a process that has ended since and
    // whose number came back with another: opened afresh once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if ((pid != m_pid || m_fd < 0 || attempt > 0) && !open(pid))
            return std::nullopt;
        const ssize_t got = ::pread(m_fd, text.data(), text.size(), 0);
        if (got > 0)
            return ParseAnonymousResidentKiB(QByteArrayView(text.data(), got), ::sysconf(_SC_PAGESIZE));
    }
    close();
    return std::nullopt;
}

bool AnonymousResidentReader::open(qint64 pid)
{
    close();
    std::array<char, 48> path {};
    std::snprintf(path.data(), path.size(), "/proc/%lld/statm", static_cast<long long>(pid));
    m_fd = ::open(path.data(), O_RDONLY | O_CLOEXEC);
    m_pid = pid;
    return m_fd >= 0;
}

void AnonymousResidentReader::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
