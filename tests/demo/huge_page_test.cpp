#include "demo/huge_page.h"

#include <gtest/gtest.h>

namespace {

QByteArray Read(const HugePage &page, qint64 piece)
{
    QByteArray all;
    QByteArray buffer(piece, '\0');
    for (;;) {
        const qint64 n = page.fill(quint64(all.size()), buffer.data(), piece);
        if (n <= 0)
            break;
        all.append(buffer.constData(), n);
    }
    return all;
}

TEST(HugePage, GivesTheSameBytesWhateverPiecesAreAskedFor)
{
    for (const quint64 size : { quint64(0), quint64(5), quint64(60), quint64(100000) }) {
        SCOPED_TRACE(size);
        const HugePage page(size);
        const QByteArray whole = Read(page, 1 << 20);
        EXPECT_EQ(quint64(whole.size()), size);
        EXPECT_EQ(Read(page, 7), whole);
        EXPECT_EQ(Read(page, 1), whole);
        char byte = 0;
        EXPECT_EQ(page.fill(size, &byte, 1), 0); // nothing past the end
    }
    const QByteArray page = Read(HugePage(100000), 4096);
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(page.endsWith("</pre>\n</body></html>\n"));
}

} // namespace
