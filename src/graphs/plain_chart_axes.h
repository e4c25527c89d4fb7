#pragma once

#include "graphs/chart_axes.h"

#include <array>

// Axis limits held as plain numbers, with the chart's refusal rule. The chart
// widget keeps its limits in one of these; tests use it on its own.
class PlainChartAxes final : public ChartAxes {
public:
    PlainChartAxes();

    double minimum(ChartAxis axis) const override;
    double maximum(ChartAxis axis) const override;
    void setMinimum(ChartAxis axis, double value) override;
    void setMaximum(ChartAxis axis, double value) override;

private:
    struct Range {
        double low = 0;
        double high = 10;
    };
    std::array<Range, 3> m_ranges;
};
