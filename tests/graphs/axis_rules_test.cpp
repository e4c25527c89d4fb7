#include "graphs/axis_rules.h"
#include "graphs/plain_chart_axes.h"

#include <gtest/gtest.h>

namespace {

PlainChartAxes Axes(double low, double high)
{
    PlainChartAxes axes;
    SetRangeSafely(axes, ChartAxis::Left, low, high);
    SetRangeSafely(axes, ChartAxis::Right, low, high);
    return axes;
}

TEST(AxisRules, NoiseMarginNearTheMaximumRaisesItAndTheCapHoldsItAtFifty)
{
    PlainChartAxes chart = Axes(-2, 10);
    AdjustChart1(chart, 9.2, 5);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 12.88);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 10);

    AdjustChart1(chart, 40, 40);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 50);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 44); // 40 raised by 10 stays below the cap
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), -2);
}

TEST(AxisRules, CapAppliesToAMaximumDraggedAboveFiftyOnTheWebGraphToo)
{
    PlainChartAxes chart = Axes(-2, 80);
    AdjustChart5(chart, 1, 1);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 50);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 50);
}

TEST(AxisRules, ConnectionSpeedRaisesMaximaAndNeverTouchesMinima)
{
    PlainChartAxes chart = Axes(0, 20);
    AdjustChart2(chart, 448, 7000);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 627.2);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 7700);
    AdjustChart2(chart, 448, 7000); // 7700 >= 7700: set to 7700 again
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 7700);
    AdjustChart2(chart, -50, -50);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), 0);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Right), 0);
}

using Rule = void (*)(ChartAxes &, double, double);

struct NamedRule {
    const char *name;
    Rule rule;
    bool userDefined;
    bool leftRaise20; // the left maximum rises by 20 % instead of 40 %
    bool leftLower20; // the left minimum falls by 20 % (the right by 30 %), else the reverse
};

const NamedRule kRules[] = {
    { "AdjustChart1", AdjustChart1, false, false, false },
    { "AdjustChart5", AdjustChart5, false, false, false },
    { "AdjustChart2", AdjustChart2, false, false, false },
    { "AdjustChart3", AdjustChart3, true, true, true },
    { "AdjustChart4", AdjustChart4, true, false, false },
};

// With both maxima at 11, a value whose tenth more stays below 11 changes
// nothing; one that reaches 11 raises the maximum: left by 40 % (20 % on
// User Defined 1), right by 10 %.
TEST(AxisRules, AMaximumRisesOnlyWhenTheValuePlusATenthReachesIt)
{
    const struct {
        double value;
        double left40, left20, right;
    } cases[] = {
        { -5, 11, 11, 11 },
        { 0, 11, 11, 11 },
        { 5, 11, 11, 11 },
        { 9.9, 11, 11, 11 }, // 10.89
        { 10, 14, 12, 11 }, // 11 reaches 11
        { 20, 28, 24, 22 },
    };
    for (const NamedRule &r : kRules) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << r.name << " with " << c.value);
            PlainChartAxes chart = Axes(0, 11);
            r.rule(chart, c.value, c.value);
            EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), r.leftRaise20 ? c.left20 : c.left40);
            EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), c.right);
        }
    }
}

// With both minima at 5, only a value below 5 lowers a user-defined graph's
// minimum, by 20 % or 30 % by axis, and not below 0; the other graphs'
// minima never move.
TEST(AxisRules, AUserDefinedMinimumFallsOnlyBelowALowerValue)
{
    const struct {
        double value;
        double lower20, lower30;
    } cases[] = {
        { 6, 5, 5 },
        { 5, 5, 5 },
        { 4, 3.2, 2.8 },
        { -1, 0, 0 },
    };
    for (const NamedRule &r : kRules) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << r.name << " with " << c.value);
            PlainChartAxes chart = Axes(5, 100);
            r.rule(chart, c.value, c.value);
            const double left = r.leftLower20 ? c.lower20 : c.lower30;
            const double right = r.leftLower20 ? c.lower30 : c.lower20;
            EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), r.userDefined ? left : 5);
            EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Right), r.userDefined ? right : 5);
        }
    }
}

TEST(AxisRules, UserDefinedMinimaFollowLowerValuesDownToTheFloor)
{
    PlainChartAxes chart3 = Axes(5, 20);
    PlainChartAxes chart4 = Axes(5, 20);
    AdjustChart3(chart3, 3, 3);
    AdjustChart4(chart4, 3, 3);
    EXPECT_DOUBLE_EQ(chart3.minimum(ChartAxis::Left), 2.4);
    EXPECT_DOUBLE_EQ(chart4.minimum(ChartAxis::Left), 2.1);
    EXPECT_DOUBLE_EQ(chart3.minimum(ChartAxis::Right), 2.1);
    EXPECT_DOUBLE_EQ(chart4.minimum(ChartAxis::Right), 2.4);

    // A minimum dragged below 0 returns to 0 at the next sample.
    chart4.setMinimum(ChartAxis::Left, -7);
    AdjustChart4(chart4, 10, 10);
    EXPECT_DOUBLE_EQ(chart4.minimum(ChartAxis::Left), 0);
}

TEST(AxisRules, ARefusedChangeSkipsOnlyItsOwnBlock)
{
    // The left maximum is below 0, so raising it for a negative value would
    // cross the minimum; the right axis still follows its value.
    PlainChartAxes chart;
    SetRangeSafely(chart, ChartAxis::Left, -100, -60);
    SetRangeSafely(chart, ChartAxis::Right, 0, 20);
    AdjustChart2(chart, -200, 100);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), -60);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 110);
}

TEST(PlainChartAxes, RefusesAMinimumAboveTheMaximumAndKeepsTheLimit)
{
    PlainChartAxes axes;
    SetRangeSafely(axes, ChartAxis::Bottom, 0, 480);
    EXPECT_THROW(axes.setMinimum(ChartAxis::Bottom, 500), std::exception);
    EXPECT_THROW(axes.setMaximum(ChartAxis::Bottom, -1), std::exception);
    EXPECT_DOUBLE_EQ(axes.minimum(ChartAxis::Bottom), 0);
    EXPECT_DOUBLE_EQ(axes.maximum(ChartAxis::Bottom), 480);
    SetRangeSafely(axes, ChartAxis::Bottom, 900, 1000); // safe order moves a whole window
    EXPECT_DOUBLE_EQ(axes.minimum(ChartAxis::Bottom), 900);
}

} // namespace
