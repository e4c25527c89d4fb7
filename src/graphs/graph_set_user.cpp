// The user-defined graphs: figure lists, total and last-hour modes, the hour
// timer and the captions, titles and axes that follow the choices.
#include "graphs/graph_set.h"

#include "base/clock.h"
#include "graphs/chart.h"
#include "graphs/user_graph_rules.h"
#include "sampling/line_sample.h"
#include "sampling/sample_cycle.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int HourMs = 3600000;

} // namespace

void GraphSet::createUserGroup(QWidget *owner)
{
    GroupBox4 = new QGroupBox(QStringLiteral("User Defined Graphs"), owner);
    auto *grid = new QGridLayout(GroupBox4);
    const auto makeList = [this] {
        auto *box = new QComboBox(GroupBox4);
        for (const QString &text : UserFigureTexts())
            box->addItem(text);
        return box;
    };
    boxUser1 = makeList();
    boxUser2 = makeList();
    rbTotal1 = new QRadioButton(QStringLiteral("Total errors"), GroupBox4);
    rbLastHour1 = new QRadioButton(QStringLiteral("Errors in last hour"), GroupBox4);
    rbTotal2 = new QRadioButton(QStringLiteral("Total errors"), GroupBox4);
    rbLastHour2 = new QRadioButton(QStringLiteral("Errors in last hour"), GroupBox4);
    m_mode1 = new QButtonGroup(this);
    m_mode1->addButton(rbTotal1);
    m_mode1->addButton(rbLastHour1);
    m_mode2 = new QButtonGroup(this);
    m_mode2->addButton(rbTotal2);
    m_mode2->addButton(rbLastHour2);
    rbTotal1->setChecked(true);
    rbTotal2->setChecked(true);
    btnReset = new QPushButton(QStringLiteral("Reset"), GroupBox4);

    grid->addWidget(new QLabel(QStringLiteral("User defined 1"), GroupBox4), 0, 0);
    grid->addWidget(boxUser1, 0, 1);
    grid->addWidget(rbTotal1, 0, 2);
    grid->addWidget(rbLastHour1, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("User defined 2"), GroupBox4), 1, 0);
    grid->addWidget(boxUser2, 1, 1);
    grid->addWidget(rbTotal2, 1, 2);
    grid->addWidget(rbLastHour2, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Reset 1 hour timer "), GroupBox4), 2, 0);
    grid->addWidget(btnReset, 2, 1);

    Label5 = createLastHourLabel(Chart3);
    Label7 = createLastHourLabel(Chart4);
    m_user[0] = UserGraph { boxUser1, rbTotal1, rbLastHour1, Label5, Chart3, 3, 1 };
    m_user[1] = UserGraph { boxUser2, rbTotal2, rbLastHour2, Label7, Chart4, 4, 2 };

    connect(boxUser1, &QComboBox::activated, this, &GraphSet::boxUser1CloseUp);
    connect(boxUser2, &QComboBox::activated, this, &GraphSet::boxUser2CloseUp);
    connect(boxUser1, &QComboBox::currentIndexChanged, this, &GraphSet::boxUser1Change);
    connect(boxUser2, &QComboBox::currentIndexChanged, this, &GraphSet::boxUser2Change);
    connect(rbTotal1, &QRadioButton::clicked, this, &GraphSet::rbTotal1Click);
    connect(rbTotal2, &QRadioButton::clicked, this, &GraphSet::rbTotal2Click);
    connect(rbLastHour1, &QRadioButton::clicked, this, &GraphSet::rbLastHour1Click);
    connect(rbLastHour2, &QRadioButton::clicked, this, &GraphSet::rbLastHour2Click);
    connect(btnReset, &QPushButton::clicked, this, &GraphSet::btnResetClick);
}

UserFigure GraphSet::figureOf(const UserGraph &graph) const
{
    return UserFigureFromIndex(graph.box->currentIndex());
}

QString GraphSet::userCaption(int number) const
{
    return number == 1 || number == 2 ? m_user[static_cast<size_t>(number - 1)].caption : QString();
}

bool GraphSet::userGraphIsNone(int number) const
{
    return (number != 1 && number != 2)
        || figureOf(m_user[static_cast<size_t>(number - 1)]) == UserFigure::None;
}

// The start-up steps of the user-defined graphs once their choices are
// loaded, in their order.
void GraphSet::startUpUserGraphs()
{
    for (UserGraph &graph : m_user) {
        const QString text = graph.box->currentText();
        graph.chart->setAxisTitle(ChartAxis::Left, QStringLiteral("Upstream ") + text);
        graph.chart->setAxisTitle(ChartAxis::Right, QStringLiteral("Downstream ") + text);
    }
    // Only "Errors in last hour" follows the parenthesis here; "Total errors"
    // keeps its state.
    for (UserGraph &graph : m_user) {
        const QString text = graph.box->currentText();
        graph.lastHour->setEnabled(!text.contains(QLatin1Char('(')));
        graph.lastHourChosen = graph.lastHour->isChecked();
        setTabCaption(graph, FigureCaption(text));
        if (inLastHourMode(graph))
            setTabCaption(graph, LastHourCaption(text));
    }
    // Graph 1's buttons follow whether its figure is an error counter; graph
    // 2's keep the state set above, so its "Total errors" stays enabled.
    const bool errors1 = IsErrorFigure(figureOf(m_user[0]));
    rbTotal1->setEnabled(errors1);
    rbLastHour1->setEnabled(errors1);
    for (UserGraph &graph : m_user)
        showLastHourLabel(graph);
}

bool GraphSet::inLastHourMode(const UserGraph &graph) const
{
    return graph.lastHour->isChecked() && graph.lastHour->isEnabled();
}

void GraphSet::showLastHourLabel(UserGraph &graph)
{
    graph.label->setVisible(inLastHourMode(graph));
}

void GraphSet::setTabCaption(UserGraph &graph, const QString &caption)
{
    graph.caption = caption;
    emit tabCaptionChanged(graph.page, caption);
}

void GraphSet::setNoneAxes(Chart *chart)
{
    SetRangeSafely(*chart, ChartAxis::Left, 0, 10);
    SetRangeSafely(*chart, ChartAxis::Right, 0, 10);
}

void GraphSet::userCloseUp(UserGraph &graph)
{
    const QString text = graph.box->currentText();
    graph.chart->setAxisTitle(ChartAxis::Left, QStringLiteral("Upstream ") + text);
    graph.chart->setAxisTitle(ChartAxis::Right, QStringLiteral("Downstream ") + text);
    setTabCaption(graph, FigureCaption(text));
    const bool errors = IsErrorFigure(figureOf(graph));
    graph.total->setEnabled(errors);
    graph.lastHour->setEnabled(errors);
    showLastHourLabel(graph);
    if (inLastHourMode(graph))
        setTabCaption(graph, LastHourCaption(text));
    if (figureOf(graph) == UserFigure::None)
        setNoneAxes(graph.chart);
    emit userFiguresChosen(figureOf(m_user[0]), figureOf(m_user[1]));
}

void GraphSet::boxUser1CloseUp()
{
    userCloseUp(m_user[0]);
}

void GraphSet::boxUser2CloseUp()
{
    userCloseUp(m_user[1]);
}

void GraphSet::boxUser1Change()
{
    emit userFigureChanged();
}

void GraphSet::boxUser2Change()
{
    emit userFigureChanged();
}

void GraphSet::userTotalClick(UserGraph &graph)
{
    graph.lastHourChosen = false;
    showLastHourLabel(graph);
    setTabCaption(graph, graph.box->currentText());
}

void GraphSet::rbTotal1Click()
{
    userTotalClick(m_user[0]);
}

void GraphSet::rbTotal2Click()
{
    userTotalClick(m_user[1]);
}

// Switching to last-hour mode: a graph joins the hour already running for
// the other graph, or starts a full hour. The first points drop to 0 and a
// null point breaks both lines between the totals and the hour's counts.
// A click on the button already selected is no change and does nothing.
void GraphSet::userLastHourClick(UserGraph &graph, const UserGraph &other)
{
    if (graph.lastHourChosen)
        return;
    graph.lastHourChosen = true;
    if (!other.lastHour->isChecked()) {
        Timer3->stop();
        Timer3->start();
    }
    showLastHourLabel(graph);
    if (graph.chart->setFirstValue(ChartSide::Left, 0)) {
        graph.chart->setFirstValue(ChartSide::Right, 0);
        const QDateTime now = m_clock.now();
        graph.chart->addPoint(ChartSide::Left, 0, now, LabelForm::Time, PointColour::None);
        graph.chart->addPoint(ChartSide::Right, 0, now, LabelForm::Time, PointColour::None);
    }
    SetRangeSafely(*graph.chart, ChartAxis::Left, 0, 20);
    SetRangeSafely(*graph.chart, ChartAxis::Right, 0, 20);
    if (inLastHourMode(graph))
        setTabCaption(graph, LastHourCaption(graph.box->currentText()));
}

void GraphSet::rbLastHour1Click()
{
    userLastHourClick(m_user[0], m_user[1]);
}

void GraphSet::rbLastHour2Click()
{
    userLastHourClick(m_user[1], m_user[0]);
}

void GraphSet::btnResetClick()
{
    Timer3->stop();
    Timer3->setInterval(HourMs);
    m_sample.clearBaselines();
    Timer3->start();
}

void GraphSet::Timer3Timer()
{
    m_sample.clearBaselines();
}

// The tab comes to the front first: its own tab change would otherwise take
// the highlight away at once, which is meant to go at the user's next one.
void GraphSet::mnuuserDefinedClick()
{
    emit advancedTabWanted();
    GroupBox4->setAutoFillBackground(true);
    QPalette palette = GroupBox4->palette();
    palette.setColor(QPalette::Window, Qt::white);
    GroupBox4->setPalette(palette);
}

void GraphSet::clearUserGroupHighlight()
{
    GroupBox4->setAutoFillBackground(false);
    GroupBox4->setPalette(QPalette());
}
