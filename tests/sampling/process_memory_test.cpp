#include "sampling/process_memory.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ProcessMemoryTest, ReadsResidentLessShared)
{
    const struct {
        const char *statm;
        std::optional<qint64> kib;
    } cases[] = {
        { "101000 22550 18000 1 0 30000 0\n", (22550 - 18000) * 4 },
        { "5 7 7 0 0 0 0", 0 },
        { "  5   9 3", 24 },
        { "101000 22550\n", std::nullopt },
        { "101000 18000 22550 1 0 0 0\n", std::nullopt },
        { "101000 many 3 1 0 0 0\n", std::nullopt },
        { "101000 -5 3 1 0 0 0\n", std::nullopt },
        { "1 99999999999999999999 3\n", std::nullopt },
        { "", std::nullopt },
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseAnonymousResidentKiB(c.statm, 4096), c.kib) << c.statm;
}

// Measured from outside: memory this process fills shows in its figure,
// read again through the file kept open, and a process that is not there
// has none.
TEST(ProcessMemoryTest, FollowsWhatAProcessFills)
{
    const qint64 self = QCoreApplication::applicationPid();
    AnonymousResidentReader reader;
    const std::optional<qint64> before = reader.read(self);
    ASSERT_TRUE(before.has_value());
    const std::vector<char> filled(64 * 1024 * 1024, 1);
    const std::optional<qint64> after = reader.read(self);
    ASSERT_TRUE(after.has_value());
    EXPECT_GE(*after - *before, 60 * 1024) << int(filled[filled.size() / 2]);
    EXPECT_FALSE(reader.read(0).has_value());
    EXPECT_FALSE(reader.read(0x7ffffff0).has_value());
    EXPECT_TRUE(reader.read(self).has_value());
}

} // namespace
