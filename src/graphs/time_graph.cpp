#include "graphs/time_graph.h"

void TimeGraph::setMinimum(ChartAxis axis, double value)
{
    m_axes.setMinimum(axis, value);
    emit changed();
}

void TimeGraph::setMaximum(ChartAxis axis, double value)
{
    m_axes.setMaximum(axis, value);
    emit changed();
}

void TimeGraph::addPoint(
    ChartSide side, double value, const QDateTime &moment, LabelForm form, PointColour colour)
{
    m_series[static_cast<size_t>(side)].add(value, moment, form, colour);
    emit changed();
}

bool TimeGraph::setFirstValue(ChartSide side, double value)
{
    const bool done = m_series[static_cast<size_t>(side)].setValue(0, value);
    if (done)
        emit changed();
    return done;
}

void TimeGraph::addMark(double x, MarkKind kind)
{
    m_marks.push_back(x);
    m_markKinds.push_back(kind);
    emit changed();
}

void TimeGraph::setAxisTitle(ChartAxis axis, const QString &title)
{
    if (axis == ChartAxis::Bottom)
        return;
    m_titles[static_cast<size_t>(axis)] = title;
    emit changed();
}

QString TimeGraph::axisTitle(ChartAxis axis) const
{
    return axis == ChartAxis::Bottom ? QString() : m_titles[static_cast<size_t>(axis)];
}

void TimeGraph::setLabelSpacing(int percent)
{
    if (percent == m_labelSpacing)
        return;
    m_labelSpacing = percent;
    emit changed();
}

void TimeGraph::set3D(bool on)
{
    if (on == m_3D)
        return;
    m_3D = on;
    emit changed();
}
