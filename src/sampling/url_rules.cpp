#include "sampling/url_rules.h"

#include "sampling/text_primitives.h"

#include <QUrl>

namespace {

bool IsUnreserved(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-'
        || c == u'.' || c == u'_' || c == u'~';
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Decodes "%XX" escapes that stand for unreserved characters; every other
// escape stays as written.
QString DecodeUnreserved(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'%' && i + 2 < text.size()) {
            const int high = HexValue(text.at(i + 1));
            const int low = HexValue(text.at(i + 2));
            if (high >= 0 && low >= 0) {
                const auto c = static_cast<char16_t>(high * 16 + low);
                if (IsUnreserved(c)) {
                    out += QChar(c);
                    i += 2;
                    continue;
                }
            }
        }
        out += text.at(i);
    }
    return out;
}

} // namespace

QString CanonicalUrl(const QString &url)
{
    const QString decoded = DecodeUnreserved(url.trimmed());
    QUrl parsed(decoded, QUrl::TolerantMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return decoded;
    if (parsed.path().isEmpty() && !parsed.host().isEmpty())
        parsed.setPath(QStringLiteral("/"));
    const bool defaultPort = (parsed.scheme() == u"http" && parsed.port() == 80)
        || (parsed.scheme() == u"https" && parsed.port() == 443);
    if (defaultPort)
        parsed.setPort(-1);
    return DecodeUnreserved(parsed.toString(QUrl::FullyEncoded));
}

bool SameUrl(const QString &a, const QString &b)
{
    return CanonicalUrl(a) == CanonicalUrl(b);
}

QString LearnTypeAUrl(const QString &documentUrl)
{
    QString url = documentUrl;
    const int p = Pos(u"page=", url);
    if (p == 0)
        return url;
    url.truncate(p + 9);
    const qsizetype escape = url.indexOf(u"%5f");
    if (escape >= 0)
        url.replace(escape, 3, QStringLiteral("_"));
    return url;
}

QString RemoveFirst(const QString &text, const QString &what)
{
    if (what.isEmpty())
        return text;
    QString out = text;
    const qsizetype at = out.indexOf(what);
    if (at >= 0)
        out.remove(at, what.size());
    return out;
}

QString LoginFieldName(QStringView page)
{
    const int p = Pos(u"name=password_", page);
    if (p == 0)
        return {};
    const QStringView s = Cut(page, p + 5, 30);
    QString name = QStringLiteral("password_");
    for (qsizetype i = 9; i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128; ++i)
        name += s.at(i);
    return name;
}

bool ContainsFromThird(QStringView page, QStringView needle)
{
    return page.size() > 2 && page.mid(2).contains(needle);
}
