#include "http/http_file.h"

#include <unistd.h>

HttpFile::~HttpFile()
{
    delete m_prepared.load();
    if (m_fd >= 0)
        ::close(m_fd);
}

HttpFile::Prepared *HttpFile::keepPrepared(std::unique_ptr<Prepared> prepared) const
{
    Prepared *expected = nullptr;
    if (m_prepared.compare_exchange_strong(expected, prepared.get(), std::memory_order_acq_rel))
        return prepared.release();
    return expected;
}
