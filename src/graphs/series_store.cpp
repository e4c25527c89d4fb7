#include "graphs/series_store.h"

#include <algorithm>
#include <limits>

void SeriesStore::add(double value, const QDateTime &moment, LabelForm form, PointColour colour)
{
    const qint64 seconds = moment.isValid() ? moment.toSecsSinceEpoch() : 0;
    if (m_points.empty())
        m_baseSeconds = seconds;
    // A moment more than 68 years from the first point is kept at the limit.
    const qint64 offset = std::clamp<qint64>(seconds - m_baseSeconds,
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    m_points.push_back(Point { value, static_cast<std::int32_t>(offset), colour, form });
}

QDateTime SeriesStore::moment(int x) const
{
    return QDateTime::fromSecsSinceEpoch(m_baseSeconds + at(x).seconds);
}

QString SeriesStore::label(int x, const QLocale &locale) const
{
    return FormatPointLabel(labelForm(x), moment(x), locale);
}

bool SeriesStore::setValue(int x, double value)
{
    if (x < 0 || x >= count())
        return false;
    m_points[static_cast<size_t>(x)].value = value;
    return true;
}
