#pragma once

// The three axes of a time graph: the upstream (left) and downstream (right)
// value axes and the bottom axis of sample positions.
enum class ChartAxis { Left = 0, Right = 1, Bottom = 2 };

// In which directions a mouse drag may shift a graph's axes.
enum class PanMode { None, Horizontal, Vertical, Both };

// The axis limits of one graph, as the plotting rules see them. Each setter
// changes one limit and throws AxisRefused when that would put the minimum
// above the maximum; the limit then stays as it was.
class ChartAxes {
public:
    virtual ~ChartAxes() = default;

    virtual double minimum(ChartAxis axis) const = 0;
    virtual double maximum(ChartAxis axis) const = 0;
    virtual void setMinimum(ChartAxis axis, double value) = 0;
    virtual void setMaximum(ChartAxis axis, double value) = 0;
};

// Sets both limits of an axis in the order that the chart cannot refuse
// when low <= high; a pair with low above high is refused.
void SetRangeSafely(ChartAxes &axes, ChartAxis axis, double low, double high);
