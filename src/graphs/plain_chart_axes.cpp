#include "graphs/plain_chart_axes.h"

#include "graphs/axis_refused.h"

#include <cmath>

PlainChartAxes::PlainChartAxes() = default;

double PlainChartAxes::minimum(ChartAxis axis) const
{
    return m_ranges[static_cast<size_t>(axis)].low;
}

double PlainChartAxes::maximum(ChartAxis axis) const
{
    return m_ranges[static_cast<size_t>(axis)].high;
}

// A NaN limit would make every later comparison false and freeze the axis, so
// it is refused like a minimum above the maximum.
void PlainChartAxes::setMinimum(ChartAxis axis, double value)
{
    Range &range = m_ranges[static_cast<size_t>(axis)];
    if (std::isnan(value) || value > range.high)
        throw AxisRefused();
    range.low = value;
}

void PlainChartAxes::setMaximum(ChartAxis axis, double value)
{
    Range &range = m_ranges[static_cast<size_t>(axis)];
    if (std::isnan(value) || value < range.low)
        throw AxisRefused();
    range.high = value;
}

void SetRangeSafely(ChartAxes &axes, ChartAxis axis, double low, double high)
{
    if (low > axes.maximum(axis)) {
        axes.setMaximum(axis, high);
        axes.setMinimum(axis, low);
    } else {
        axes.setMinimum(axis, low);
        axes.setMaximum(axis, high);
    }
}
