#include "outputs/console_step.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(ConsoleLine, GivesTheMomentThenMarginsAndSpeedsDownstreamFirst)
{
    const struct {
        double marginDown, marginUp, speedDown, speedUp;
        const char *line;
    } cases[] = {
        { 6.2, 5.1, 8128, 1020,
            "2026-12-09 10:11:12 noise margin down 6.2 dB up 5.1 dB, sync down 8128 kbps up 1020 kbps" },
        // A page that was not the statistics page: the drop to zero shows.
        { 0, 0, 0, 0, "2026-12-09 10:11:12 noise margin down 0.0 dB up 0.0 dB, sync down 0 kbps up 0 kbps" },
        { -1.3, 12, 24000.5, 1234567,
            "2026-12-09 10:11:12 noise margin down -1.3 dB up 12.0 dB, sync down 24000.5 kbps up 1234567 "
            "kbps" },
    };
    // Plain digits whatever the user's locale.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const auto &c : cases) {
        LineSample sample;
        sample.noiseMarginDown = c.marginDown;
        sample.noiseMarginUp = c.marginUp;
        sample.speedDown = c.speedDown;
        sample.speedUp = c.speedUp;
        const PageLoad load { sample, QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12)), true, true };
        EXPECT_EQ(ConsoleLine(load), QString::fromLatin1(c.line));
    }
    QLocale::setDefault(before);
}

} // namespace
