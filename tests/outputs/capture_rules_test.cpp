#include "outputs/capture_rules.h"

#include "base/settings.h"
#include "outputs/capture_file_name.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int PointsPerPage = 3;

struct Line {
    double speedDown = 7000;
    double noiseMarginDown = 6;
};
const Line Up {};
const Line Down { 0, 0 };

class CaptureRulesTest : public ::testing::Test {
protected:
    CaptureRulesTest() : settings(SettingsContext()), rules(settings) { }

    void options(bool eachPage, bool onlyIfLost)
    {
        settings.setFlag(SettingKey::cbCapture, eachPage);
        settings.setFlag(SettingKey::LostSync, onlyIfLost);
    }

    // Processes one sample; the number of captures of all graphs it made.
    int sample(const Line &line = Up)
    {
        ++plotCount;
        int captures = 0;
        rules.sampleProcessed(
            { plotCount, PointsPerPage, line.speedDown, line.noiseMarginDown }, [&captures] { ++captures; });
        return captures;
    }

    std::vector<int> samples(const std::vector<Line> &lines)
    {
        std::vector<int> captures;
        for (const Line &line : lines)
            captures.push_back(sample(line));
        return captures;
    }

    Settings settings;
    CaptureRules rules;
    int plotCount = 0;
};

TEST_F(CaptureRulesTest, EachPageCapturesOncePerPageOfSamples)
{
    options(true, false);
    EXPECT_EQ(samples({ Up, Up, Up, Up, Up, Up, Up }), (std::vector<int> { 0, 0, 1, 0, 0, 1, 0 }));

    // The count runs on while the option is off: switching it on after a
    // page or more captures at the next sample.
    options(false, false);
    samples({ Up, Up, Up });
    options(true, false);
    EXPECT_EQ(sample(), 1);
}

TEST_F(CaptureRulesTest, WhatCountsAsALostConnection)
{
    const struct {
        double speedDown;
        double noiseMarginDown;
        bool lost;
    } cases[] = {
        { 7000, 6.2, false },
        { 100, 6.2, false }, // exactly 100 Kbps is still a line
        { 99.9, 6.2, true },
        { 0, 6.2, true },
        { 7000, 0, true }, // exactly 0 dB counts as lost
        { 7000, 0.1, false },
        { 7000, -1.5, true },
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConnectionLost(c.speedDown, c.noiseMarginDown), c.lost)
            << c.speedDown << " " << c.noiseMarginDown;
}

TEST_F(CaptureRulesTest, LostConnectionCapturesAPairOnePageApart)
{
    options(false, true);
    // The first two samples are not judged; then one capture at once and
    // its follow-up a page later, whatever the line does meanwhile.
    EXPECT_EQ(samples({ Down, Down, Down, Up, Up, Up, Up }), (std::vector<int> { 0, 0, 1, 0, 0, 1, 0 }));
    EXPECT_FALSE(rules.LostSyncCaptured());

    // Still down at the follow-up: that sample starts the next pair too.
    samples({ Up, Up, Up });
    EXPECT_EQ(samples({ Down, Down, Down, Down }), (std::vector<int> { 1, 0, 0, 2 }));
    EXPECT_TRUE(rules.LostSyncCaptured());
    EXPECT_EQ(rules.PageCaptureCount(), 0);
}

TEST_F(CaptureRulesTest, StartAndPauseDropThePendingFollowUp)
{
    options(false, true);
    samples({ Up, Up, Down });
    rules.runPaused();
    EXPECT_FALSE(rules.LostSyncCaptured());
    EXPECT_EQ(samples({ Up, Up, Up, Up }), (std::vector<int> { 0, 0, 0, 0 }));
    samples({ Down });
    rules.runStarted();
    EXPECT_FALSE(rules.LostSyncCaptured());
}

TEST_F(CaptureRulesTest, IndicatorsFollowTheOptionsAndALostCapture)
{
    options(false, true);
    rules.runStarted();
    EXPECT_FALSE(rules.image1Visible());
    EXPECT_TRUE(rules.image2Visible());

    // A lost-connection capture swaps them until the next Pause or Start.
    samples({ Up, Up, Down });
    EXPECT_TRUE(rules.image1Visible());
    EXPECT_FALSE(rules.image2Visible());
    rules.runPaused(); // Image1 as its option; Image2 left as it is
    EXPECT_FALSE(rules.image1Visible());
    EXPECT_FALSE(rules.image2Visible());
    rules.runStarted();
    EXPECT_TRUE(rules.image2Visible());

    rules.optionsChanged(true, false);
    EXPECT_TRUE(rules.image1Visible());
    EXPECT_FALSE(rules.image2Visible());
}

TEST(CaptureFileName, PrefixGraphStampAndNothingThatLeavesTheFolder)
{
    const QString stamp = QStringLiteral("20240105-143000");
    EXPECT_EQ(CaptureFileName(QStringLiteral("Wardn-"), QStringLiteral("NoiseMargin"), stamp),
        QStringLiteral("Wardn-NoiseMargin-20240105-143000.jpg"));
    EXPECT_EQ(CaptureFileName(QString(), QStringLiteral("Output Power "), stamp),
        QStringLiteral("Output Power -20240105-143000.jpg"));
    EXPECT_EQ(
        CaptureFileName(QString(), QStringLiteral("NoiseMargin"), QStringLiteral("2024/01/05")), QString());
    EXPECT_EQ(CaptureFileName(QStringLiteral("../"), QStringLiteral("NoiseMargin"), stamp), QString());
    EXPECT_EQ(CaptureFileName(QString(), QStringLiteral("NoiseMargin"), QStringLiteral("a") + QChar(u'\0')),
        QString());
    EXPECT_EQ(CapturePath(QStringLiteral("/data/Capture"), QStringLiteral("a.jpg")),
        QStringLiteral("/data/Capture/a.jpg"));
    EXPECT_EQ(CapturePath(QStringLiteral("/data/Capture"), QString()), QString());
}

} // namespace
