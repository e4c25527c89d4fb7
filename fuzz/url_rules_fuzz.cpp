// Any text as a URL or a page: the URL rules must not crash, every URL names
// the same page as itself, and the cut texts stay within what they cut.
#include "sampling/url_rules.h"

#include <QStringList>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList parts = text.split(u'\n');
    const QString url = parts.value(0);
    const QString other = parts.value(1);

    if (!SameUrl(url, url) || SameUrl(url, other) != SameUrl(other, url))
        std::abort();
    if (LearnTypeAUrl(url).size() > url.size())
        std::abort();
    if (RemoveFirst(url, other).size() > url.size())
        std::abort();
    const QString field = LoginFieldName(text);
    if (!field.isEmpty() && !field.startsWith(QStringLiteral("password_")))
        std::abort();
    ContainsFromThird(text, other);
    return 0;
}
