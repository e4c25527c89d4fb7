#pragma once

#include <QByteArray>
#include <QtGlobal>

// A very large HTML page that is never held in memory: an opening, one
// filler line repeated, and a closing, produced piece by piece at any offset.
class HugePage final {
public:
    explicit HugePage(quint64 size);

    quint64 size() const { return m_size; }

    // Writes up to maxBytes bytes of the page from offset on; returns how
    // many it wrote (0 at or past the end).
    qint64 fill(quint64 offset, char *buffer, qint64 maxBytes) const;

private:
    char byteAt(quint64 offset) const;

    quint64 m_size = 0;
    QByteArray m_opening;
    QByteArray m_line;
    QByteArray m_closing;
};
