#include "sampling/text_primitives.h"

#include <algorithm>
#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

bool SameTail(const char16_t *at, const char16_t *needle, qsizetype n)
{
    return std::equal(needle + 1, needle + n, at + 1);
}

// First position of needle in text, or -1. Eight positions at a time are
// tested for the needle's first and last character together, so only the
// rare places where both match are compared in full.
qsizetype FindText(const char16_t *text, qsizetype length, const char16_t *needle, qsizetype n)
{
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi16(static_cast<short>(needle[0]));
    const __m128i last = _mm_set1_epi16(static_cast<short>(needle[n - 1]));
    for (; i + n - 1 + 8 <= length; i += 8) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i + n - 1));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(head, first), _mm_cmpeq_epi16(tail, last))));
        while (mask != 0) {
            const int bit = __builtin_ctz(mask);
            const qsizetype pos = i + bit / 2;
            if (SameTail(text + pos, needle, n))
                return pos;
            mask &= ~(3u << bit);
        }
    }
#endif
    for (; i + n <= length; ++i) {
        if (text[i] == needle[0] && SameTail(text + i, needle, n))
            return i;
    }
    return -1;
}

} // namespace

int Pos(QStringView needle, QStringView text)
{
    if (needle.isEmpty())
        return 1;
    return static_cast<int>(FindText(text.utf16(), text.size(), needle.utf16(), needle.size())) + 1;
}

QStringView Cut(QStringView text, qsizetype p, qsizetype n)
{
    if (p < 1)
        p = 1;
    if (n <= 0 || p > text.size())
        return {};
    return text.mid(p - 1, std::min(n, text.size() - (p - 1)));
}

QStringView After(QStringView text, QChar mark, qsizetype n)
{
    const qsizetype q = text.indexOf(mark) + 1;
    return Cut(text, q + 1, n);
}

namespace {
bool IsNumberChar(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u',' || c == u'-' || c == u'.';
}
} // namespace

QString ExtractNumberRun(QStringView text)
{
    const QStringView window = text.left(10);
    qsizetype start = 0;
    while (start < window.size() && !IsNumberChar(window[start]))
        ++start;
    qsizetype end = start;
    while (end < window.size() && IsNumberChar(window[end]))
        ++end;
    if (end == start)
        return QStringLiteral("0");
    return window.mid(start, end - start).toString();
}

double Convert(QStringView text, const QLocale &locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(TrimText(text), &ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return value;
}

double Correct(double x)
{
    return x > 2140000000.0 ? x - 2147483648.0 : x;
}

QString PadLeft(const QString &text, int width)
{
    return text.rightJustified(width, u' ');
}

QString AddThouSep(const QString &text, const QLocale &locale)
{
    QString result = text;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    qsizetype integerLength = text.size();
    const qsizetype decimalAt = decimal.isEmpty() ? -1 : text.indexOf(decimal);
    if (decimalAt >= 1) // the separator at position 2 or later
        integerLength = decimalAt;
    // Insert from the right so the earlier positions stay valid.
    for (qsizetype n = integerLength - 2; n > 1; n -= 3)
        result.insert(n - 1, group);
    return result;
}

QStringView TrimText(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

QStringView AfterSlash(QStringView text)
{
    const qsizetype slash = text.indexOf(u'/');
    return TrimText(slash < 0 ? text : text.mid(slash + 1));
}
