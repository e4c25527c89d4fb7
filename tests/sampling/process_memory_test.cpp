#include "sampling/process_memory.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ProcessMemoryTest, ReadsTheAnonymousResidentLine)
{
    const struct {
        const char *status;
        std::optional<qint64> kib;
    } cases[] = {
        { "Name:\tQtWebEngineProc\nVmRSS:\t   90200 kB\nRssAnon:\t   17228 kB\nRssFile:\t 72000 kB\n",
            17228 },
        { "RssAnon:\t0 kB", 0 },
        { "VmRSS:\t90200 kB\nRssFile:\t72000 kB\n", std::nullopt },
        { "RssAnon:\tmany kB\n", std::nullopt },
        { "RssAnon:\t-5 kB\n", std::nullopt },
        { "XRssAnon:\t5 kB\n", std::nullopt },
        { "", std::nullopt },
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseAnonymousResidentKiB(c.status), c.kib) << c.status;
}

// Measured from outside: memory this process fills shows in its figure,
// and a process that is not there has none.
TEST(ProcessMemoryTest, FollowsWhatAProcessFills)
{
    const qint64 self = QCoreApplication::applicationPid();
    const std::optional<qint64> before = AnonymousResidentKiB(self);
    ASSERT_TRUE(before.has_value());
    const std::vector<char> filled(64 * 1024 * 1024, 1);
    const std::optional<qint64> after = AnonymousResidentKiB(self);
    ASSERT_TRUE(after.has_value());
    EXPECT_GE(*after - *before, 60 * 1024) << int(filled[filled.size() / 2]);
    EXPECT_FALSE(AnonymousResidentKiB(0).has_value());
    EXPECT_FALSE(AnonymousResidentKiB(0x7ffffff0).has_value());
}

} // namespace
