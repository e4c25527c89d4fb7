#include "sampling/uptime_seconds.h"

#include "support/qt_printers.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

TEST(UptimeSecondsTest, ReadsTheToolbarText)
{
    const struct {
        const char *text;
        std::optional<qint64> seconds;
    } cases[] = {
        { "2 days, 01:02:03", 2 * 86400 + 3723 },
        { "0 days, 00:00:01", 1 },
        { "1 day, 10:00:00", 86400 + 36000 },
        { "12:34:56", 12 * 3600 + 34 * 60 + 56 },
        { "", std::nullopt },
        { "days, 01:02:03", std::nullopt },
        { "1 days, 01:02", std::nullopt },
        { "1 days, 01:99:00", std::nullopt },
    };
    for (const auto &c : cases)
        EXPECT_EQ(UptimeSeconds(QString::fromLatin1(c.text)), c.seconds) << c.text;
}

} // namespace
