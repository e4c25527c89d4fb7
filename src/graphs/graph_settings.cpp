#include "graphs/graph_settings.h"

#include "base/web_image_size.h"

namespace {

using S = SettingKey;

SettingKey Key(int userGraph, SettingKey first, SettingKey second)
{
    return userGraph == 1 ? first : second;
}

} // namespace

UserFigure GraphSettings::figure(int userGraph) const
{
    return UserFigureFromIndex(m_settings.integer(Key(userGraph, S::User1, S::User2)));
}

void GraphSettings::setFigure(int userGraph, UserFigure figure)
{
    m_settings.setInteger(Key(userGraph, S::User1, S::User2), UserFigureIndex(figure));
}

bool GraphSettings::total(int userGraph) const
{
    return m_settings.flag(Key(userGraph, S::Total1, S::Total2));
}

bool GraphSettings::lastHour(int userGraph) const
{
    return m_settings.flag(Key(userGraph, S::LastHour1, S::LastHour2));
}

void GraphSettings::setTotal(int userGraph, bool on)
{
    m_settings.setFlag(Key(userGraph, S::Total1, S::Total2), on);
}

void GraphSettings::setLastHour(int userGraph, bool on)
{
    m_settings.setFlag(Key(userGraph, S::LastHour1, S::LastHour2), on);
}

AxisLimitSet GraphSettings::axisLimits(int graph) const
{
    return { m_settings.integer(AxisKey(graph, AxisSide::Left, AxisLimit::Maximum)),
        m_settings.integer(AxisKey(graph, AxisSide::Right, AxisLimit::Maximum)),
        m_settings.integer(AxisKey(graph, AxisSide::Left, AxisLimit::Minimum)),
        m_settings.integer(AxisKey(graph, AxisSide::Right, AxisLimit::Minimum)) };
}

AxisLimitSet GraphSettings::fixedAxisLimits(int graph)
{
    return { FixedAxisLimit(AxisKey(graph, AxisSide::Left, AxisLimit::Maximum)),
        FixedAxisLimit(AxisKey(graph, AxisSide::Right, AxisLimit::Maximum)),
        FixedAxisLimit(AxisKey(graph, AxisSide::Left, AxisLimit::Minimum)),
        FixedAxisLimit(AxisKey(graph, AxisSide::Right, AxisLimit::Minimum)) };
}

void GraphSettings::setAxisLimits(int graph, double leftMin, double leftMax, double rightMin, double rightMax)
{
    m_settings.setAxisLimit(AxisKey(graph, AxisSide::Left, AxisLimit::Minimum), leftMin);
    m_settings.setAxisLimit(AxisKey(graph, AxisSide::Left, AxisLimit::Maximum), leftMax);
    m_settings.setAxisLimit(AxisKey(graph, AxisSide::Right, AxisLimit::Minimum), rightMin);
    m_settings.setAxisLimit(AxisKey(graph, AxisSide::Right, AxisLimit::Maximum), rightMax);
}

QSize GraphSettings::webGraphSize() const
{
    return WebImageSize(m_settings.text(S::webWidth), m_settings.text(S::webHeight));
}
