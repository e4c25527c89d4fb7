#include "graphs/user_graph_rules.h"

QString FigureCaption(const QString &figureText)
{
    const qsizetype paren = figureText.indexOf(QLatin1Char('('));
    return paren < 0 ? figureText : figureText.left(paren);
}

QString LastHourCaption(const QString &figureText)
{
    return figureText + QStringLiteral(" (1h)");
}

UserGraphPoint UserGraphPointFor(
    UserFigure figure, bool lastHourMode, double up, double down, double upBase, double downBase)
{
    UserGraphPoint point;
    if (figure == UserFigure::None) {
        point.colour[0] = point.colour[1] = PointColour::Grey;
        point.applyAxisRule = false;
        return point;
    }
    point.up = lastHourMode ? up - upBase : up;
    point.down = lastHourMode ? down - downBase : down;
    return point;
}

void TakeBaseline(double &baseline, double reading)
{
    if (baseline == 0)
        baseline = reading;
}
