#pragma once

#include "base/user_figure.h"

#include <QDateTime>

#include <optional>
#include <vector>

// One sample as the line's history keeps it across restarts.
struct HistoryRecord {
    // One user figure read with the sample: Down is the first value on the
    // page, Up the second, as in the sample.
    struct Figure {
        UserFigure figure = UserFigure::None;
        double up = 0;
        double down = 0;
    };

    QDateTime moment; // UTC, to the millisecond
    double noiseMarginUp = 0; // dB
    double noiseMarginDown = 0;
    double speedUp = 0; // kbps
    double speedDown = 0;
    std::optional<qint64> uptimeSeconds;
    bool statisticsPage = false; // the load was the router's statistics page
    std::vector<Figure> figures; // the user figures read, none twice
};
