#include "graphs/axis_rules.h"

#include "graphs/axis_refused.h"
#include "graphs/chart_axes.h"

namespace {

constexpr double NoiseMarginCap = 50;

double Raised(double x, double percent)
{
    return x + x * percent / 100;
}

double Lowered(double x, double percent)
{
    return x - x * percent / 100;
}

// A value within 10 % of the maximum lifts the maximum to the value raised
// by the given percentage.
void RaiseMaximum(ChartAxes &chart, ChartAxis axis, double value, double percent)
{
    if (Raised(value, 10) >= chart.maximum(axis))
        chart.setMaximum(axis, Raised(value, percent));
}

void CapMaximum(ChartAxes &chart, ChartAxis axis)
{
    if (chart.maximum(axis) > NoiseMarginCap)
        chart.setMaximum(axis, NoiseMarginCap);
}

void LowerMinimum(ChartAxes &chart, ChartAxis axis, double value, double percent)
{
    if (chart.minimum(axis) > value)
        chart.setMinimum(axis, Lowered(value, percent));
}

void FloorMinimum(ChartAxes &chart, ChartAxis axis)
{
    if (chart.minimum(axis) < 0)
        chart.setMinimum(axis, 0);
}

// Runs one guarded block: a refusal by the chart skips the rest of it.
template<typename Block> void Guarded(Block block)
{
    try {
        block();
    } catch (const AxisRefused &) {
    }
}

void AdjustNoiseMargin(ChartAxes &chart, double u, double d)
{
    Guarded([&] {
        RaiseMaximum(chart, ChartAxis::Left, u, 40);
        CapMaximum(chart, ChartAxis::Left);
    });
    Guarded([&] {
        RaiseMaximum(chart, ChartAxis::Right, d, 10);
        CapMaximum(chart, ChartAxis::Right);
    });
}

void AdjustUserDefined(
    ChartAxes &chart, double u, double d, double leftRaise, double leftLower, double rightLower)
{
    Guarded([&] {
        RaiseMaximum(chart, ChartAxis::Left, u, leftRaise);
        RaiseMaximum(chart, ChartAxis::Right, d, 10);
    });
    Guarded([&] {
        LowerMinimum(chart, ChartAxis::Left, u, leftLower);
        FloorMinimum(chart, ChartAxis::Left);
    });
    Guarded([&] {
        LowerMinimum(chart, ChartAxis::Right, d, rightLower);
        FloorMinimum(chart, ChartAxis::Right);
    });
}

} // namespace

void AdjustChart1(ChartAxes &chart, double u, double d)
{
    AdjustNoiseMargin(chart, u, d);
}

void AdjustChart5(ChartAxes &chart, double u, double d)
{
    AdjustNoiseMargin(chart, u, d);
}

void AdjustChart2(ChartAxes &chart, double u, double d)
{
    Guarded([&] { RaiseMaximum(chart, ChartAxis::Left, u, 40); });
    Guarded([&] { RaiseMaximum(chart, ChartAxis::Right, d, 10); });
}

void AdjustChart3(ChartAxes &chart, double u, double d)
{
    AdjustUserDefined(chart, u, d, 20, 20, 30);
}

void AdjustChart4(ChartAxes &chart, double u, double d)
{
    AdjustUserDefined(chart, u, d, 40, 30, 20);
}
