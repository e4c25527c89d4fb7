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

TEST(AxisRules, UserDefinedGraphsRaiseByTheirOwnPercentages)
{
    PlainChartAxes chart3 = Axes(0, 20);
    PlainChartAxes chart4 = Axes(0, 20);
    AdjustChart3(chart3, 1000, 1000);
    AdjustChart4(chart4, 1000, 1000);
    EXPECT_DOUBLE_EQ(chart3.maximum(ChartAxis::Left), 1200);
    EXPECT_DOUBLE_EQ(chart4.maximum(ChartAxis::Left), 1400);
    EXPECT_DOUBLE_EQ(chart3.maximum(ChartAxis::Right), 1100);
    EXPECT_DOUBLE_EQ(chart4.maximum(ChartAxis::Right), 1100);
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

    // A counter that fell back gives a negative value; the floor keeps 0.
    AdjustChart3(chart3, -498, -498);
    EXPECT_DOUBLE_EQ(chart3.minimum(ChartAxis::Left), 0);
    EXPECT_DOUBLE_EQ(chart3.minimum(ChartAxis::Right), 0);

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
