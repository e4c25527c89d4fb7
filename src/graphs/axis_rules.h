#pragma once

class ChartAxes;

// The automatic vertical axis rules, applied after every plotted sample with
// the upstream value u (left axis) and the downstream value d (right axis).
// They only widen the view: maxima rise when a value comes near them, and on
// the user-defined graphs minima fall below a lower value. Noise-margin maxima
// are capped at 50; user-defined minima never go below 0. Each rule runs in
// guarded blocks: a refused change ends its block and the next block runs.
void AdjustChart1(ChartAxes &chart, double u, double d); // Noise Margin
void AdjustChart2(ChartAxes &chart, double u, double d); // Connection Speed
void AdjustChart3(ChartAxes &chart, double u, double d); // User Defined 1
void AdjustChart4(ChartAxes &chart, double u, double d); // User Defined 2
void AdjustChart5(ChartAxes &chart, double u, double d); // web graph
