#include "graphs/axis_drag.h"

#include "graphs/axis_refused.h"

namespace {

constexpr int AxisZone = 150; // pixels from a window edge where an axis is adjusted

// Puts back one limit; a limit that no longer fits beside the other (the
// maximum dragged below the fixed minimum) is left as the drag put it.
void TrySetMinimum(ChartAxes &chart, ChartAxis axis, double value)
{
    try {
        chart.setMinimum(axis, value);
    } catch (const AxisRefused &) {
    }
}

void FloorAtZero(ChartAxes &chart, ChartAxis axis)
{
    if (chart.minimum(axis) < 0)
        TrySetMinimum(chart, axis, 0);
}

} // namespace

void AxisDrag::press(const ChartAxes &chart, bool shift, bool ctrl, PanMode panMode)
{
    m_leftMax = chart.maximum(ChartAxis::Left);
    m_leftMin = chart.minimum(ChartAxis::Left);
    m_rightMax = chart.maximum(ChartAxis::Right);
    m_rightMin = chart.minimum(ChartAxis::Right);
    m_shift = shift;
    m_ctrl = ctrl;
    m_savedPanMode = panMode;
}

// The saved pairs always have their minimum at or below their maximum, so
// putting a whole pair back in the safe order is never refused.
void AxisDrag::putBackLeft(ChartAxes &chart) const
{
    SetRangeSafely(chart, ChartAxis::Left, m_leftMin, m_leftMax);
}

void AxisDrag::putBackRight(ChartAxes &chart) const
{
    SetRangeSafely(chart, ChartAxis::Right, m_rightMin, m_rightMax);
}

void AxisDrag::step(ChartAxes &chart, int pointerX, int windowWidth, int chartNumber)
{
    m_scrolled = true;
    if (m_ctrl) {
        putBackLeft(chart);
        putBackRight(chart);
        return;
    }
    if (pointerX < AxisZone) {
        putBackRight(chart);
        if (!m_shift)
            TrySetMinimum(chart, ChartAxis::Left, m_leftMin);
        if (chartNumber != 1)
            FloorAtZero(chart, ChartAxis::Left);
    } else if (pointerX > windowWidth - AxisZone) {
        putBackLeft(chart);
        if (chartNumber == 2)
            FloorAtZero(chart, ChartAxis::Left);
        if (!m_shift)
            TrySetMinimum(chart, ChartAxis::Right, m_rightMin);
        if (chartNumber == 2)
            FloorAtZero(chart, ChartAxis::Right);
    }
}

PanMode AxisDrag::release()
{
    m_shift = false;
    m_ctrl = false;
    return m_savedPanMode;
}

bool IsNearAxis(int x, int windowWidth)
{
    return (40 < x && x < 70) || (windowWidth - 110 < x && x < windowWidth - 80);
}

void CopyBottomWindow(const ChartAxes &from, ChartAxes &to)
{
    const double low = from.minimum(ChartAxis::Bottom);
    const double high = from.maximum(ChartAxis::Bottom);
    if (to.minimum(ChartAxis::Bottom) > high) {
        to.setMinimum(ChartAxis::Bottom, low);
        to.setMaximum(ChartAxis::Bottom, high);
    } else {
        to.setMaximum(ChartAxis::Bottom, high);
        to.setMinimum(ChartAxis::Bottom, low);
    }
}
