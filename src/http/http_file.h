#pragma once

#include <QtGlobal>

#include <atomic>
#include <memory>

// An opened regular file that replies send, and how many of its bytes. It
// owns the descriptor and closes it when it goes. One HttpFile may be sent
// by many replies, also at once: the server reads it with offsets only (its
// file position is left alone) and keeps what it prepared for sending it for
// as long as the file lives, so a file sent again costs no new descriptor.
class HttpFile final {
public:
    HttpFile(int fd, quint64 size) : m_fd(fd), m_size(size) { }
    ~HttpFile();
    HttpFile(const HttpFile &) = delete;
    HttpFile &operator=(const HttpFile &) = delete;

    int handle() const { return m_fd; }
    quint64 size() const { return m_size; }

    // What the server prepared for sending this file; its own business.
    class Prepared {
    public:
        virtual ~Prepared() = default;
    };
    Prepared *prepared() const { return m_prepared.load(std::memory_order_acquire); }
    // Keeps prepared unless another was kept first; returns the one kept.
    Prepared *keepPrepared(std::unique_ptr<Prepared> prepared) const;

private:
    const int m_fd;
    const quint64 m_size;
    mutable std::atomic<Prepared *> m_prepared { nullptr };
};
