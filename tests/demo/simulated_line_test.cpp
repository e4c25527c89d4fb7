#include "demo/simulated_line.h"

#include <gtest/gtest.h>

namespace {

TEST(SimulatedLine, BehavesLikeARealLine)
{
    SimulatedLine line(42);
    LineFigures previous = line.figures();
    double marginSum = 0;
    int connectedSteps = 0;
    int stepsDown = 0;
    int longestOutage = 0;

    for (int step = 0; step < 5000; ++step) {
        line.advance(10);
        const LineFigures &now = line.figures();
        EXPECT_EQ(now.routerUptime, previous.routerUptime + 10);
        // Counters only grow.
        EXPECT_GE(now.fecDown, previous.fecDown);
        EXPECT_GE(now.fecUp, previous.fecUp);
        EXPECT_GE(now.crcDown, previous.crcDown);
        EXPECT_GE(now.crcUp, previous.crcUp);
        EXPECT_GE(now.hecDown, previous.hecDown);
        EXPECT_GE(now.hecUp, previous.hecUp);
        EXPECT_GE(now.errorSecondsLocal, previous.errorSecondsLocal);
        EXPECT_GE(now.errorSecondsRemote, previous.errorSecondsRemote);
        if (now.connected) {
            EXPECT_GE(now.marginDown, 0.5);
            EXPECT_LE(now.marginDown, 14);
            EXPECT_GT(now.speedDown, 1000);
            EXPECT_GE(now.speedUp, 1000); // the Type B router's thousands comma shows
            marginSum += now.marginDown;
            ++connectedSteps;
            stepsDown = 0;
        } else {
            // A dropped line shows no speeds and no margins.
            EXPECT_EQ(now.speedDown, 0);
            EXPECT_EQ(now.speedUp, 0);
            EXPECT_EQ(now.marginDown, 0);
            EXPECT_EQ(now.marginUp, 0);
            EXPECT_EQ(now.lineUptime, 0);
            longestOutage = std::max(longestOutage, ++stepsDown);
        }
        previous = now;
    }

    ASSERT_GT(connectedSteps, 0);
    const double meanMargin = marginSum / connectedSteps;
    EXPECT_GT(meanMargin, 5.0);
    EXPECT_LT(meanMargin, 7.0);
    // Now and then the line drops, and it always comes back.
    EXPECT_GE(line.figures().resyncs, 5);
    EXPECT_LE(longestOutage, 3);
}

TEST(SimulatedLine, ASeedMakesTheRunRepeatable)
{
    SimulatedLine first(7);
    SimulatedLine again(7);
    SimulatedLine other(8);
    bool differs = false;
    for (int step = 0; step < 500; ++step) {
        first.advance(10);
        again.advance(10);
        other.advance(10);
        ASSERT_EQ(first.figures().marginDown, again.figures().marginDown);
        ASSERT_EQ(first.figures().speedDown, again.figures().speedDown);
        ASSERT_EQ(first.figures().fecDown, again.figures().fecDown);
        ASSERT_EQ(first.figures().resyncs, again.figures().resyncs);
        differs = differs || first.figures().marginDown != other.figures().marginDown;
    }
    EXPECT_TRUE(differs);
}

} // namespace
