#include "sampling/hub_b_reader.h"

#include "support/fixture_pages.h"
#include "support/qt_printers.h"
#include "support/reader_fixture.h"

#include <gtest/gtest.h>

namespace {

// One figure as the router's page carries it: the script anchor, then the
// value after the next ">".
QString Cell(const QString &anchor, const QString &value)
{
    return QStringLiteral("<td class=\"val\"><!--%1-->%2</td>\n").arg(anchor, value);
}

QString Uptime(const QString &value)
{
    return QStringLiteral("<th><!--FormatTime(DslInfo.UpTime))-->%1</th><th></th>\n").arg(value);
}

class HubBReader : public ReaderFixture {
protected:
    HubBReader() : ReaderFixture(&BTHomeHub3B, UserFigure::ErrorSeconds, UserFigure::FecErrors) { }
};

TEST_F(HubBReader, ReadsEveryFigureOfTheStatisticsPage)
{
    read(FixturePage(QStringLiteral("hub-b-statistics.html")));

    EXPECT_TRUE(sample.pageRead);
    EXPECT_DOUBLE_EQ(sample.noiseMarginDown, 6.1);
    EXPECT_DOUBLE_EQ(sample.noiseMarginUp, 5.9);
    EXPECT_EQ(sample.speedUp, 1234);
    EXPECT_EQ(sample.speedDown, 15872);
    EXPECT_EQ(sample.speedDownText, QStringLiteral("15,872")); // as the router writes it
    EXPECT_EQ(readouts.Label23, QStringLiteral("15,872 Kbps"));
    EXPECT_EQ(readouts.Label25, QStringLiteral("2 days, 01:02:03"));
    EXPECT_EQ(sample.user1Down, 14);
    EXPECT_EQ(sample.user1Up, 2);
    EXPECT_EQ(sample.user2Down, 2045);
    EXPECT_EQ(sample.user2Up, 31);
    EXPECT_EQ(sample.logLine,
        QStringLiteral("T,      5.9,     6.1,    1234,   15872,       2,      14,      31,    2045"));
}

TEST_F(HubBReader, OnlyTheFirstThousandsCommaIsRemoved)
{
    read(Cell(QStringLiteral("DslInfo.NoiseMargin)"), QStringLiteral("6 / 5 dB"))
        + Cell(QStringLiteral("DslInfo.UpCurrRate)"), QStringLiteral("1,234"))
        + Cell(QStringLiteral("DslInfo.DownCurrRate)"), QStringLiteral("12,345,678")));
    EXPECT_EQ(sample.speedUp, 1234);
    EXPECT_EQ(readouts.Label15, QStringLiteral("1,234 Kbps"));
    EXPECT_EQ(sample.speedDown, 0);
    EXPECT_EQ(readouts.Label23, QStringLiteral("12,345,678 Kbps"));
    EXPECT_TRUE(sample.logLine.endsWith(QStringLiteral("    1234,12345,678")));
}

TEST_F(HubBReader, WithoutTheNoiseMarginAnchorOnlyTheUptimeIsRead)
{
    read(Uptime(QStringLiteral("0 day, 01:02:03"))
        + Cell(QStringLiteral("DslInfo.UpCurrRate)"), QStringLiteral("1234"))
        + Cell(QStringLiteral("DslShowtime[0].ErrSec)"), QStringLiteral("3/4")));
    EXPECT_FALSE(sample.pageRead);
    EXPECT_EQ(sample.speedUp, 0);
    EXPECT_EQ(sample.user1Down, 0);
    EXPECT_EQ(readouts.Label25, QStringLiteral("0 days, 01:02:03"));
    EXPECT_EQ(sample.logLine, QStringLiteral("T, "));
}

TEST_F(HubBReader, UptimeIsFilteredAndTheFirstDayMadePluralAfterAZero)
{
    read(Uptime(QStringLiteral("2 days, 01:02:03")));
    EXPECT_EQ(readouts.Label25, QStringLiteral("2 days, 01:02:03"));
    read(Uptime(QStringLiteral("<b>0 Day(s) 1h</b>")));
    EXPECT_EQ(readouts.Label25, QStringLiteral("0 ays 1"));
    read(Uptime(QStringLiteral("0 day, 1 day")));
    EXPECT_EQ(readouts.Label25, QStringLiteral("0 days, 1 day"));
    read(Uptime(QStringLiteral("<X>")));
    EXPECT_TRUE(readouts.Label25.isEmpty());
}

TEST_F(HubBReader, UserFiguresEndAtTheNextTag)
{
    const QString margin = Cell(QStringLiteral("DslInfo.NoiseMargin)"), QStringLiteral("6 / 5 dB"));
    read(margin + Cell(QStringLiteral("DslShowtime[0].ErrSec)"), QStringLiteral("12/34"))
        + Cell(QStringLiteral("DslShowtime[0].FECErr)"), QStringLiteral("56")));
    EXPECT_EQ(sample.user1Down, 12);
    EXPECT_EQ(sample.user1Up, 34);
    EXPECT_EQ(sample.user2Down, 56);
    EXPECT_EQ(sample.user2Up, 56);

    // No "<" after the value: nothing to read, so both values become 0.
    read(margin + QStringLiteral("<!--DslShowtime[0].ErrSec)-->12/34"));
    EXPECT_EQ(sample.user1Down, 0);
    EXPECT_EQ(sample.user1Up, 0);
    EXPECT_EQ(sample.user1DownBase, 12); // taken at the first reading
}

TEST_F(HubBReader, AnchorsWithNothingAfterThemReadWhatTheWindowHolds)
{
    const struct {
        const char *page;
        bool pageRead;
        const char *logLine;
        const char *shown;
    } cases[] = {
        // The uptime cut lies beyond the end: nothing is kept.
        { "FormatTime(DslInfo.UpTime))", false, "T, ", "||||" },
        { "FormatTime(DslInfo.UpTime))>>><<<", false, "T, ", "||||" },
        // No ">" after the anchor: the window is the anchor itself, whose
        // first number character is its full stop.
        { "DslInfo.NoiseMargin)", true, "T,        0,       .,", "0 dB|. dB|||" },
        { "DslInfo.NoiseMargin)>>><<<", true, "T,        0,       0,", "0 dB|0 dB|||" },
        { "DslInfo.NoiseMargin)DslInfo.UpCurrRate)DslShowtime[0].FECErr)", true,
            "T,        0,       .,       0,,       0,       0", "0 dB|. dB|0 Kbps||" },
        { "DslInfo.NoiseMargin)DslInfo.UpCurrRate)DslShowtime[0].FECErr)>>><<<", true,
            "T,        0,       .,       0,,       0,       0", "0 dB|. dB|0 Kbps||" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        sample = LineSample();
        read(QString::fromLatin1(c.page));
        EXPECT_EQ(sample.pageRead, c.pageRead);
        EXPECT_EQ(sample.logLine, QString::fromLatin1(c.logLine));
        EXPECT_EQ(shown(), QString::fromLatin1(c.shown));
    }
}

} // namespace
