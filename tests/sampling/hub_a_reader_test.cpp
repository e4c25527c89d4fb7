#include "sampling/hub_a_reader.h"

#include "support/fixture_pages.h"
#include "support/qt_printers.h"
#include "support/reader_fixture.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// One statistics table row as the router writes it.
QString Row(const QString &label, const QString &value)
{
    return QStringLiteral("<tr><td class=\"label\">%1</td><td class=\"value\">%2</td></tr>\n")
        .arg(label, value);
}

class HubAReader : public ReaderFixture {
protected:
    HubAReader() : ReaderFixture(&BTHomeHub3A, UserFigure::CrcErrors, UserFigure::HecErrors) { }
};

TEST_F(HubAReader, ReadsEveryFigureOfTheStatisticsPage)
{
    read(FixturePage(QStringLiteral("hub-a-statistics.html")));

    EXPECT_TRUE(sample.pageRead);
    EXPECT_DOUBLE_EQ(sample.noiseMarginDown, 6.2);
    EXPECT_DOUBLE_EQ(sample.noiseMarginUp, 5.8);
    EXPECT_EQ(sample.speedUp, 1250);
    EXPECT_EQ(sample.speedDown, 7616);
    EXPECT_EQ(sample.user1Down, 37);
    EXPECT_EQ(sample.user1Up, 4);
    EXPECT_EQ(sample.user2Down, 21);
    EXPECT_EQ(sample.user2Up, 2);
    EXPECT_EQ(readouts.Label20, QStringLiteral("5.8 dB"));
    EXPECT_EQ(readouts.Label22, QStringLiteral("6.2 dB"));
    EXPECT_EQ(readouts.Label15, QStringLiteral("1,250 Kbps"));
    EXPECT_EQ(readouts.Label23, QStringLiteral("7,616 Kbps"));
    EXPECT_EQ(readouts.Label25, QStringLiteral("1 days, 02:00:00"));
    // Up before down for every pair, each right-aligned to the log column.
    EXPECT_EQ(sample.logLine,
        QStringLiteral("T,      5.8,     6.2,    1250,    7616,       4,      37,       2,      21"));
}

TEST_F(HubAReader, ScalesMbpsToWholeKbpsAndKeepsCommasInvalid)
{
    read(Row(QStringLiteral("Upstream:"), QStringLiteral("1.2349 Mbps"))
        + Row(QStringLiteral("Downstream:"), QStringLiteral("15,872 kbps")));

    EXPECT_DOUBLE_EQ(sample.speedUp, 1234.9);
    EXPECT_EQ(sample.speedUpText, QStringLiteral("1234")); // cut off, not rounded
    EXPECT_EQ(readouts.Label15, QStringLiteral("1,234 Kbps"));
    // A grouped number is not a number in a locale with a full stop.
    EXPECT_EQ(sample.speedDown, 0);
    EXPECT_EQ(sample.speedDownText, QStringLiteral("0"));
    EXPECT_EQ(readouts.Label23, QStringLiteral("0 Kbps"));
}

TEST_F(HubAReader, CorrectsWrappedNoiseMarginsButShowsThePageText)
{
    read(Row(QStringLiteral("Noise margin (Down/Up):"), QStringLiteral("4294967295 / 2 dB")));
    EXPECT_EQ(sample.noiseMarginDown, 2147483647.0);
    EXPECT_EQ(readouts.Label22, QStringLiteral("4294967295 dB"));
    read(Row(QStringLiteral("Noise margin (Down/Up):"), QStringLiteral("0 / 2147483649 dB")));
    EXPECT_EQ(sample.noiseMarginUp, 1);
    EXPECT_EQ(readouts.Label20, QStringLiteral("2147483649 dB"));

    read(Row(QStringLiteral("Noise margin (Down/Up):"), QStringLiteral("6.2 / ")));
    EXPECT_EQ(sample.noiseMarginUp, 0);
    EXPECT_EQ(readouts.Label20, QStringLiteral("0 dB"));
}

TEST_F(HubAReader, UptimeIsTheWaitCountPlusOneInDaysAndClock)
{
    read(QStringLiteral("var wait = 93599;"));
    EXPECT_EQ(readouts.Label25, QStringLiteral("1 days, 02:00:00"));
    read(QStringLiteral("var wait = 0;"));
    EXPECT_EQ(readouts.Label25, QStringLiteral("0 days, 00:00:01"));
    read(QStringLiteral("var wait = 8639999;"));
    EXPECT_EQ(readouts.Label25, QStringLiteral("100 days, 00:00:00"));
    // Unreadable or out-of-range counts read as 0.
    read(QStringLiteral("var wait = 12x;"));
    EXPECT_EQ(readouts.Label25, QStringLiteral("0 days, 00:00:01"));
    read(QStringLiteral("var wait = 99999999999999;"));
    EXPECT_EQ(readouts.Label25, QStringLiteral("0 days, 00:00:01"));
    read(QStringLiteral("wait ="));
    EXPECT_EQ(readouts.Label25, QStringLiteral("0 days, 00:00:01"));
}

TEST_F(HubAReader, UserFiguresWithAndWithoutSlash)
{
    options.user1 = UserFigure::OutputPower;
    options.user2 = UserFigure::ErrorSeconds;
    // Without a "/" in the 30-character window the one value counts twice.
    read(Row(QStringLiteral("Output power (Down/Up):"), QStringLiteral("19.8 / 12.4 dBm"))
        + QStringLiteral("<td>Error Seconds (Local/Remote):</td><td>15"));
    EXPECT_DOUBLE_EQ(sample.user1Down, 19.8);
    EXPECT_DOUBLE_EQ(sample.user1Up, 12.4);
    EXPECT_EQ(sample.user2Down, 15);
    EXPECT_EQ(sample.user2Up, 15);
    EXPECT_EQ(sample.logLine, QStringLiteral("T, ,    12.4,    19.8,      15,      15"));

    // The closing tag's "/" counts as the separator: nothing follows it.
    read(Row(QStringLiteral("Error Seconds (Local/Remote):"), QStringLiteral("15")));
    EXPECT_EQ(sample.user2Down, 15);
    EXPECT_EQ(sample.user2Up, 0);
}

TEST_F(HubAReader, MissingLabelsShiftTheLaterLogFieldsAndKeepOldUserValues)
{
    read(FixturePage(QStringLiteral("hub-a-statistics.html")));
    QString page = FixturePage(QStringLiteral("hub-a-statistics.html"));
    page.replace(QStringLiteral("Upstream:"), QStringLiteral("Up:"));
    page.replace(QStringLiteral("CRC Events"), QStringLiteral("CRC Count"));
    read(page);

    EXPECT_EQ(sample.speedUp, 0);
    EXPECT_TRUE(sample.speedUpText.isEmpty());
    EXPECT_TRUE(readouts.Label15.isEmpty());
    EXPECT_EQ(sample.user1Down, 37); // kept from the previous page
    EXPECT_EQ(sample.logLine, QStringLiteral("T,      5.8,     6.2,    7616,       2,      21"));

    // A page without any label: zero margins and speeds, a bare time stamp.
    read(QStringLiteral("<p>ADSL Settings</p>"));
    EXPECT_TRUE(sample.pageRead);
    EXPECT_EQ(sample.noiseMarginDown, 0);
    EXPECT_EQ(sample.speedDown, 0);
    EXPECT_EQ(sample.user2Up, 2);
    EXPECT_EQ(sample.logLine, QStringLiteral("T, "));
}

TEST_F(HubAReader, BaselinesAreTakenOnlyWhileZero)
{
    read(Row(QStringLiteral("CRC Events (Down/Up):"), QStringLiteral("37 / 4")));
    read(Row(QStringLiteral("CRC Events (Down/Up):"), QStringLiteral("50 / 9")));
    EXPECT_EQ(sample.user1DownBase, 37);
    EXPECT_EQ(sample.user1UpBase, 4);
    EXPECT_EQ(sample.user1Down, 50);

    sample.clearBaselines();
    read(Row(QStringLiteral("CRC Events (Down/Up):"), QStringLiteral("60 / 0")));
    EXPECT_EQ(sample.user1DownBase, 60);
    EXPECT_EQ(sample.user1UpBase, 0); // a zero reading leaves it to be taken next time
}

TEST_F(HubAReader, NumbersBeyondTheTenCharacterWindowReadAsZero)
{
    read(Row(QStringLiteral("Downstream:"), QStringLiteral("&nbsp;&nbsp;7616 Kbps")));
    EXPECT_EQ(sample.speedDown, 0);
    read(Row(QStringLiteral("Downstream:"), QStringLiteral("&nbsp;7616 Kbps")));
    EXPECT_EQ(sample.speedDown, 7616);
}

TEST_F(HubAReader, NoFigureReadsNothing)
{
    options.user1 = UserFigure::None;
    options.user2 = UserFigure::None;
    read(FixturePage(QStringLiteral("hub-a-statistics.html")));
    EXPECT_EQ(sample.user1Down, 0);
    EXPECT_EQ(sample.user2Down, 0);
    EXPECT_TRUE(sample.logLine.endsWith(QStringLiteral("7616")));
}

TEST_F(HubAReader, LabelsWithNothingAfterThemReadAsZeroAndAnyPageCountsAsRead)
{
    const struct {
        const char *page;
        const char *logLine;
        const char *shown;
    } cases[] = {
        { "", "T, ", "||||" },
        { "wait =", "T, ", "||||0 days, 00:00:01" },
        { "Noise margin (Down/Up):", "T,        0,       0,", "0 dB|0 dB|||" },
        { "Upstream:", "T,        0,", "||0 Kbps||" },
        { "Downstream:", "T,        0", "|||0 Kbps|" },
        { "CRC Events (Down/Up):", "T, ,       0,       0", "||||" },
        // The cut starts eight characters on, past a ">" before the label.
        { "xx>Noise margin (Down/Up):>", "T,        0,       0,", "0 dB|0 dB|||" },
        { "xx>Upstream:>", "T,        0,", "||0 Kbps||" },
        { "xx>CRC Events (Down/Up):>", "T, ,       0,       0", "||||" },
        // With one ">" only, the second skip finds none and keeps the text.
        { "Upstream:>7616 Mbps", "T,  7616000,", "||7,616,000 Kbps||" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        sample = LineSample();
        read(QString::fromLatin1(c.page));
        EXPECT_TRUE(sample.pageRead);
        EXPECT_EQ(sample.logLine, QString::fromLatin1(c.logLine));
        EXPECT_EQ(shown(), QString::fromLatin1(c.shown));
    }

    // Random bytes around the label never crash, and the label is still read.
    QRandomGenerator random(7);
    for (int i = 0; i < 50; ++i) {
        QByteArray junk(static_cast<int>(random.bounded(5000)), Qt::Uninitialized);
        for (auto &b : junk)
            b = static_cast<char>(random.bounded(256));
        junk.insert(static_cast<int>(random.bounded(junk.size() + 1)), "Noise margin (Down/Up):");
        read(QString::fromUtf8(junk));
        EXPECT_TRUE(readouts.Label22.endsWith(QStringLiteral(" dB")));
    }
}

} // namespace
