#include "graphs/user_graph_rules.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UserFigure Crc = UserFigure::CrcErrors;

// Plots a run of readings in last-hour mode the way the readers and the
// plotting step share them: the reader takes the baseline, then the graph
// plots the reading less it.
class LastHour : public ::testing::Test {
protected:
    double plot(double reading)
    {
        TakeBaseline(m_base, reading);
        return UserGraphPointFor(Crc, true, reading, reading, m_base, m_base).up;
    }
    void clearAtTheHour() { m_base = 0; }

    double m_base = 0;
};

TEST_F(LastHour, CountsFromTheFirstReadingOfTheHour)
{
    EXPECT_EQ(plot(1000), 0);
    EXPECT_EQ(plot(1003), 3);
    EXPECT_EQ(plot(1010), 10);
    clearAtTheHour();
    EXPECT_EQ(plot(1012), 0);
    EXPECT_EQ(plot(1015), 3);
}

TEST_F(LastHour, ACounterAtZeroWaitsForItsFirstNonZeroReading)
{
    EXPECT_EQ(plot(0), 0);
    EXPECT_EQ(plot(5), 0);
    EXPECT_EQ(plot(9), 4);
}

TEST_F(LastHour, ACounterThatFallsBackGoesNegative)
{
    plot(500);
    EXPECT_EQ(plot(2), -498);
}

TEST(UserGraphPoints, TotalsPlotTheReadingsAndNonePlotsGreyZeros)
{
    const UserGraphPoint totals = UserGraphPointFor(Crc, false, 1003, 20, 1000, 10);
    EXPECT_EQ(totals.up, 1003);
    EXPECT_EQ(totals.down, 20);
    EXPECT_EQ(totals.colour[0], PointColour::Blue);
    EXPECT_EQ(totals.colour[1], PointColour::Maroon);
    EXPECT_TRUE(totals.applyAxisRule);

    const UserGraphPoint none = UserGraphPointFor(UserFigure::None, true, 7, 8, 0, 0);
    EXPECT_EQ(none.up, 0);
    EXPECT_EQ(none.down, 0);
    EXPECT_EQ(none.colour[0], PointColour::Grey);
    EXPECT_FALSE(none.applyAxisRule);
}

TEST(UserGraphPoints, CaptionsAndErrorFigures)
{
    EXPECT_EQ(FigureCaption(QStringLiteral("Output Power (dBm)")), QStringLiteral("Output Power "));
    const QString crc = UserFigureText(Crc);
    EXPECT_EQ(FigureCaption(crc), crc);
    EXPECT_EQ(LastHourCaption(crc), QStringLiteral("CRC Errors (1h)"));
    EXPECT_TRUE(IsErrorFigure(UserFigure::ErrorSeconds));
    EXPECT_FALSE(IsErrorFigure(UserFigure::LineAttenuation));
    EXPECT_FALSE(IsErrorFigure(UserFigure::None));
}

} // namespace
