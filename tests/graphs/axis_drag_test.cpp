#include "graphs/axis_drag.h"
#include "graphs/plain_chart_axes.h"

#include <gtest/gtest.h>

namespace {

constexpr int WindowWidth = 1000;

// A chart whose vertical axes the widget then shifted by `by`, as a
// vertical pan does.
class AxisDragTest : public ::testing::Test {
protected:
    AxisDragTest()
    {
        SetRangeSafely(chart, ChartAxis::Left, 0, 20);
        SetRangeSafely(chart, ChartAxis::Right, 0, 8000);
    }

    void pan(double by)
    {
        for (ChartAxis axis : { ChartAxis::Left, ChartAxis::Right })
            SetRangeSafely(chart, axis, chart.minimum(axis) + by, chart.maximum(axis) + by);
    }

    PlainChartAxes chart;
    AxisDrag drag;
};

TEST_F(AxisDragTest, NearTheLeftAxisWithoutShiftOnlyTheLeftMaximumMoves)
{
    drag.press(chart, false, false, PanMode::Both);
    pan(-5);
    drag.step(chart, 60, WindowWidth, 1);
    EXPECT_TRUE(drag.scrolled());
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 15);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), 0);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Right), 0);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 8000);
}

TEST_F(AxisDragTest, WithShiftTheWholeScaleMovesAndOnlyNoiseMarginGoesBelowZero)
{
    PlainChartAxes chart1 = chart;
    drag.press(chart, true, false, PanMode::Both);
    pan(-5);
    drag.step(chart, 60, WindowWidth, 3);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), 0); // floor on all but Chart1
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 15);

    AxisDrag drag1;
    drag1.press(chart1, true, false, PanMode::Both);
    SetRangeSafely(chart1, ChartAxis::Left, -5, 15);
    drag1.step(chart1, 60, WindowWidth, 1);
    EXPECT_DOUBLE_EQ(chart1.minimum(ChartAxis::Left), -5);
}

TEST_F(AxisDragTest, NearTheRightAxisOnlyTheRightAxisMovesAndSpeedKeepsZero)
{
    drag.press(chart, true, false, PanMode::Both);
    pan(-500);
    drag.step(chart, WindowWidth - 100, WindowWidth, 2);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), 0);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 20);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Right), 0);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 7500);
}

TEST_F(AxisDragTest, CtrlLocksBothVerticalAxes)
{
    drag.press(chart, false, true, PanMode::Both);
    pan(30); // beyond the whole left range: the pair is put back in a safe order
    drag.step(chart, 60, WindowWidth, 1);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), 0);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), 20);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Right), 8000);
}

TEST_F(AxisDragTest, AMaximumDraggedBelowTheFixedMinimumKeepsTheShiftedScale)
{
    drag.press(chart, false, false, PanMode::Vertical);
    pan(-25);
    drag.step(chart, 60, WindowWidth, 1);
    EXPECT_DOUBLE_EQ(chart.minimum(ChartAxis::Left), -25);
    EXPECT_DOUBLE_EQ(chart.maximum(ChartAxis::Left), -5);
    EXPECT_EQ(drag.release(), PanMode::Vertical);
    EXPECT_FALSE(drag.shift());
}

TEST(AxisDragZones, PressBandsBesideTheAxes)
{
    EXPECT_TRUE(IsNearAxis(41, 1000));
    EXPECT_FALSE(IsNearAxis(70, 1000));
    EXPECT_TRUE(IsNearAxis(900, 1000));
    EXPECT_FALSE(IsNearAxis(920, 1000));
    EXPECT_FALSE(IsNearAxis(500, 1000));
}

TEST(AxisDragZones, WindowCopyMovesATargetLyingAfterTheSourceWindow)
{
    PlainChartAxes from;
    PlainChartAxes to;
    SetRangeSafely(from, ChartAxis::Bottom, 100, 580);
    SetRangeSafely(to, ChartAxis::Bottom, 900, 1380);
    CopyBottomWindow(from, to);
    EXPECT_DOUBLE_EQ(to.minimum(ChartAxis::Bottom), 100);
    EXPECT_DOUBLE_EQ(to.maximum(ChartAxis::Bottom), 580);
    SetRangeSafely(from, ChartAxis::Bottom, 2000, 2480);
    CopyBottomWindow(from, to);
    EXPECT_DOUBLE_EQ(to.minimum(ChartAxis::Bottom), 2000);
}

} // namespace
