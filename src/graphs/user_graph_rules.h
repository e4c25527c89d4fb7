#pragma once

#include "base/user_figure.h"
#include "graphs/series_store.h"

#include <QString>

// What one user-defined graph plots for a sample.
struct UserGraphPoint {
    double up = 0;
    double down = 0;
    PointColour colour[2] = { PointColour::Blue, PointColour::Maroon }; // up, down
    bool applyAxisRule = true; // false for "[none]": fixed axes
};

// The figure text before its first "(" (keeping the blank before it), or
// the whole text.
QString FigureCaption(const QString &figureText);

// The tab caption in last-hour mode.
QString LastHourCaption(const QString &figureText);

// The point of a sample: grey zeros for "[none]"; in last-hour mode the
// readings less their hour baselines; otherwise the readings themselves.
UserGraphPoint UserGraphPointFor(
    UserFigure figure, bool lastHourMode, double up, double down, double upBase, double downBase);

// Takes an hour baseline from a reading: a baseline still at 0 (not taken
// in this hour) becomes the reading.
void TakeBaseline(double &baseline, double reading);
