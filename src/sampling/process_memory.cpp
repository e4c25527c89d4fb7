#include "sampling/process_memory.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace {

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

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

std::optional<qint64> AnonymousResidentKiB(qint64 pid)
{
    if (pid <= 0)
        return std::nullopt;
    std::array<char, 48> path {};
    std::snprintf(path.data(), path.size(), "/proc/%lld/statm", static_cast<long long>(pid));
    const Descriptor file(::open(path.data(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return std::nullopt;
    std::array<char, 256> text {};
    const ssize_t got = ::read(file.get(), text.data(), text.size());
    if (got <= 0)
        return std::nullopt;
    return ParseAnonymousResidentKiB(QByteArrayView(text.data(), got), ::sysconf(_SC_PAGESIZE));
}
