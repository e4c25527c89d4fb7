#include "base/ipv4_address.h"

namespace {

bool IsByte(QStringView piece)
{
    if (piece.isEmpty())
        return false;
    int value = 0;
    for (const QChar c : piece) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 255)
            return false;
    }
    return true;
}

} // namespace

bool IsValidIPv4(QStringView text)
{
    const QStringView address = text.trimmed();
    qsizetype from = 0;
    for (int piece = 0; piece < 4; ++piece) {
        if (from > address.size())
            return false; // fewer than four pieces
        qsizetype dot = address.indexOf(u'.', from);
        if (dot < 0)
            dot = address.size();
        if (!IsByte(address.mid(from, dot - from)))
            return false;
        from = dot + 1;
    }
    return true;
}
