#include "base/int_parsing.h"

#include <limits>

int StrToIntDef(QStringView text, int fallback)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return fallback;
    // The magnitude may reach 2^31 only for a negative number; hexadecimal
    // covers all 32 bits, "$FFFFFFFF" being -1.
    const qint64 limit = base == 16 ? qint64(0xFFFFFFFF)
        : negative                  ? qint64(std::numeric_limits<int>::max()) + 1
                                    : qint64(std::numeric_limits<int>::max());
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int d = -1;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        if (d < 0)
            return fallback;
        value = value * base + d;
        if (value > limit)
            return fallback;
    }
    const qint64 signedValue = negative ? -value : value;
    if (base == 16)
        return static_cast<qint32>(static_cast<quint32>(signedValue));
    return static_cast<int>(signedValue);
}
