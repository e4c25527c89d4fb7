#include "graphs/user_graph_rules.h"

#include "sampling/line_sample.h"

bool IsNoFigure(const QString &figureText)
{
    return figureText == UserFigureText(static_cast<int>(UserFigure::None));
}

bool IsErrorFigure(const QString &figureText)
{
    return figureText.contains(QStringLiteral("Error"));
}

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
    const QString &figureText, bool lastHourMode, double up, double down, double upBase, double downBase)
{
    UserGraphPoint point;
    if (IsNoFigure(figureText)) {
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
