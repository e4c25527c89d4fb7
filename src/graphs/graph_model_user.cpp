// The user-defined graphs: figures, total and last-hour modes, the hour they
// count errors in, and the captions, titles and axes that follow the choices.
#include "graphs/graph_model.h"

#include "base/clock.h"
#include "graphs/axis_rules.h"
#include "graphs/user_graph_rules.h"
#include "sampling/line_sample.h"

GraphModel::UserGraph &GraphModel::user(int number)
{
    return m_user.at(number == 2 ? 1 : 0);
}

const GraphModel::UserGraph &GraphModel::userGraph(int number) const
{
    return m_user.at(number == 2 ? 1 : 0);
}

QString GraphModel::userCaption(int number) const
{
    return number == 1 || number == 2 ? userGraph(number).caption : QString();
}

bool GraphModel::userGraphIsNone(int number) const
{
    return (number != 1 && number != 2) || userGraph(number).figure == UserFigure::None;
}

// The two modes exclude each other; the settings keep both flags.
void GraphModel::setLastHourChecked(int number, bool on)
{
    UserGraph &graph = user(number);
    if (graph.lastHourChecked == on)
        return;
    graph.lastHourChecked = on;
    m_settings.setTotal(number, !on);
    m_settings.setLastHour(number, on);
    emit userGraphChanged(number);
}

void GraphModel::setTitles(int number)
{
    const QString text = UserFigureText(user(number).figure);
    graph(number + 2).setAxisTitle(ChartAxis::Left, QStringLiteral("Upstream ") + text);
    graph(number + 2).setAxisTitle(ChartAxis::Right, QStringLiteral("Downstream ") + text);
}

void GraphModel::setTabCaption(int number, const QString &caption)
{
    user(number).caption = caption;
    emit tabCaptionChanged(number + 2, caption);
}

void GraphModel::setNoneAxes(int number)
{
    SetRangeSafely(graph(number), ChartAxis::Left, 0, 10);
    SetRangeSafely(graph(number), ChartAxis::Right, 0, 10);
}

// The start-up steps of the user-defined graphs once their choices are
// loaded, in their order.
void GraphModel::startUpUserGraphs()
{
    for (const int number : { 1, 2 })
        setTitles(number);
    // Only "Errors in last hour" follows the parenthesis here; "Total errors"
    // keeps its state.
    for (const int number : { 1, 2 }) {
        UserGraph &graph = user(number);
        const QString text = UserFigureText(graph.figure);
        graph.lastHourEnabled = !text.contains(QLatin1Char('('));
        graph.lastHourChosen = graph.lastHourChecked;
        setTabCaption(number, FigureCaption(text));
        if (graph.inLastHourMode())
            setTabCaption(number, LastHourCaption(text));
    }
    // Graph 1's buttons follow whether its figure is an error counter; graph
    // 2's keep the state set above, so its "Total errors" stays enabled.
    const bool errors1 = IsErrorFigure(user(1).figure);
    user(1).totalEnabled = errors1;
    user(1).lastHourEnabled = errors1;
    for (const int number : { 1, 2 })
        emit userGraphChanged(number);
}

void GraphModel::setUserFigure(int number, UserFigure figure)
{
    user(number).figure = figure;
    m_settings.setFigure(number, figure);
    emit userFigureChanged();
}

void GraphModel::userFigureClosedUp(int number)
{
    UserGraph &graph = user(number);
    const QString text = UserFigureText(graph.figure);
    setTitles(number);
    setTabCaption(number, FigureCaption(text));
    const bool errors = IsErrorFigure(graph.figure);
    graph.totalEnabled = errors;
    graph.lastHourEnabled = errors;
    emit userGraphChanged(number);
    if (graph.inLastHourMode())
        setTabCaption(number, LastHourCaption(text));
    if (graph.figure == UserFigure::None)
        setNoneAxes(number + 2);
    emit userFiguresChosen(user(1).figure, user(2).figure);
}

void GraphModel::chooseTotal(int number)
{
    setLastHourChecked(number, false);
    UserGraph &graph = user(number);
    graph.lastHourChosen = false;
    emit userGraphChanged(number);
    setTabCaption(number, UserFigureText(graph.figure));
}

// Switching to last-hour mode: a graph joins the hour already running for
// the other graph, or starts a full hour. The first points drop to 0 and a
// null point breaks both lines between the totals and the hour's counts.
// A click on the mode already chosen is no change and does nothing.
void GraphModel::chooseLastHour(int number)
{
    setLastHourChecked(number, true);
    UserGraph &graph = user(number);
    if (graph.lastHourChosen)
        return;
    graph.lastHourChosen = true;
    if (!user(number == 1 ? 2 : 1).lastHourChecked) {
        m_hour.stop();
        m_hour.start();
    }
    emit userGraphChanged(number);
    TimeGraph &chart = this->graph(number + 2);
    if (chart.setFirstValue(ChartSide::Left, 0)) {
        chart.setFirstValue(ChartSide::Right, 0);
        const QDateTime now = m_clock.now();
        chart.addPoint(ChartSide::Left, 0, now, LabelForm::Time, PointColour::None);
        chart.addPoint(ChartSide::Right, 0, now, LabelForm::Time, PointColour::None);
    }
    SetRangeSafely(chart, ChartAxis::Left, 0, 20);
    SetRangeSafely(chart, ChartAxis::Right, 0, 20);
    if (graph.inLastHourMode())
        setTabCaption(number, LastHourCaption(UserFigureText(graph.figure)));
}

void GraphModel::resetHour()
{
    m_hour.stop();
    m_hour.setInterval(kHourMs);
    emit hourBegan();
    m_hour.start();
}

void GraphModel::plotUserGraph(int number, const LineSample &sample, const QDateTime &moment)
{
    const bool first = number == 1;
    const UserGraph &graph = user(number);
    const UserGraphPoint point = UserGraphPointFor(graph.figure, graph.inLastHourMode(),
        first ? sample.user1Up : sample.user2Up, first ? sample.user1Down : sample.user2Down,
        first ? sample.user1UpBase : sample.user2UpBase, first ? sample.user1DownBase : sample.user2DownBase);
    const LabelForm form = LabelFormFor(m_dateStamp);
    TimeGraph &chart = this->graph(number + 2);
    chart.addPoint(ChartSide::Left, point.up, moment, form, point.colour[0]);
    chart.addPoint(ChartSide::Right, point.down, moment, form, point.colour[1]);
    if (!point.applyAxisRule)
        return;
    if (first)
        AdjustChart3(chart, point.up, point.down);
    else
        AdjustChart4(chart, point.up, point.down);
}
