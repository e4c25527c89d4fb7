#include "graphs/graph_settings.h"

#include <cmath>
#include <limits>

std::array<AxisLimitSet, 5> GraphSettings::StartAxisLimits()
{
    const AxisLimitSet noise{10, 10, -2, -2};
    const AxisLimitSet other{20, 20, 0, 0};
    return {noise, other, other, other, noise};
}

QString AxisKeyName(int chartNumber, AxisLimitField field)
{
    static const char *const suffix[] = {"Lx", "Rx", "L", "R"};
    return QStringLiteral("C%1").arg(chartNumber)
           + QLatin1String(suffix[static_cast<int>(field)]);
}

int TruncatedLimit(double limit)
{
    if (std::isnan(limit))
        return 0;
    if (limit >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (limit <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(limit);
}
