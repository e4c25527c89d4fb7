#include "demo/huge_page.h"

#include <algorithm>
#include <cstring>

HugePage::HugePage(quint64 size)
    : m_size(size), m_opening(QByteArrayLiteral(
                        "<!DOCTYPE html>\n<html><head><title>Home Hub Manager</title></head><body>\n"
                        "<pre>\n")),
      m_line(QByteArrayLiteral("Please wait while your Home Hub gathers the line information.\n")),
      m_closing(QByteArrayLiteral("</pre>\n</body></html>\n"))
{
}

char HugePage::byteAt(quint64 offset) const
{
    const quint64 opening = quint64(m_opening.size());
    const quint64 closingStart = m_size - std::min<quint64>(m_size, quint64(m_closing.size()));
    if (offset < opening && offset < closingStart)
        return m_opening.at(qsizetype(offset));
    if (offset >= closingStart)
        return m_closing.at(
            qsizetype(offset - closingStart + quint64(m_closing.size()) - (m_size - closingStart)));
    return m_line.at(qsizetype((offset - opening) % quint64(m_line.size())));
}

qint64 HugePage::fill(quint64 offset, char *buffer, qint64 maxBytes) const
{
    if (offset >= m_size || maxBytes <= 0)
        return 0;
    const qint64 count = qint64(std::min<quint64>(m_size - offset, quint64(maxBytes)));
    const quint64 opening = quint64(m_opening.size());
    const quint64 closingStart = m_size - std::min<quint64>(m_size, quint64(m_closing.size()));
    qint64 written = 0;
    // The filler lines in whole runs; the few bytes around them one by one.
    while (written < count) {
        const quint64 at = offset + quint64(written);
        if (at >= opening && at < closingStart) {
            const quint64 inLine = (at - opening) % quint64(m_line.size());
            const quint64 run = std::min<quint64>(
                { quint64(m_line.size()) - inLine, closingStart - at, quint64(count - written) });
            std::memcpy(buffer + written, m_line.constData() + inLine, size_t(run));
            written += qint64(run);
        } else {
            buffer[written++] = byteAt(at);
        }
    }
    return written;
}
