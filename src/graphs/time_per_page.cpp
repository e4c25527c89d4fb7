#include "graphs/time_per_page.h"

#include <cmath>
#include <limits>

QString TimePerPageCaption(int sampleSeconds, int pageLength)
{
    const double minutesPerSample = sampleSeconds / 60.0;
    // nearbyint rounds halves to the even neighbour in the default mode.
    double minutes = std::nearbyint(pageLength * minutesPerSample);
    constexpr double most = static_cast<double>(std::numeric_limits<qint64>::max() / 2);
    if (!(std::fabs(minutes) < most))
        minutes = 0;
    const auto total = static_cast<qint64>(minutes);
    return QStringLiteral("(%1 hr : %2 min per page)").arg(total / 60).arg(total % 60);
}
