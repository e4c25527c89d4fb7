// The "User Defined Graphs" box: figure lists, mode buttons, the reset of
// the hour and the last-hour labels over the user-defined graphs.
#include "graphs/graph_panels.h"

#include "graphs/chart.h"
#include "graphs/graph_model.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

void GraphPanels::createUserGroup(QWidget *owner)
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

    Label5 = createLastHourLabel(chartOfPage(3));
    Label7 = createLastHourLabel(chartOfPage(4));
    m_user[0] = UserControls { boxUser1, rbTotal1, rbLastHour1, Label5, chartOfPage(3) };
    m_user[1] = UserControls { boxUser2, rbTotal2, rbLastHour2, Label7, chartOfPage(4) };

    for (const int number : { 1, 2 }) {
        QComboBox *box = m_user[static_cast<size_t>(number - 1)].box;
        connect(box, &QComboBox::currentIndexChanged, this,
            [this, number](int index) { m_model.setUserFigure(number, UserFigureFromIndex(index)); });
    }
    connect(boxUser1, &QComboBox::activated, this, &GraphPanels::boxUser1CloseUp);
    connect(boxUser2, &QComboBox::activated, this, &GraphPanels::boxUser2CloseUp);
    connect(rbTotal1, &QRadioButton::clicked, this, &GraphPanels::rbTotal1Click);
    connect(rbTotal2, &QRadioButton::clicked, this, &GraphPanels::rbTotal2Click);
    connect(rbLastHour1, &QRadioButton::clicked, this, &GraphPanels::rbLastHour1Click);
    connect(rbLastHour2, &QRadioButton::clicked, this, &GraphPanels::rbLastHour2Click);
    connect(btnReset, &QPushButton::clicked, this, &GraphPanels::btnResetClick);
}

// The controls show how the model's user-defined graph stands; setting
// them is not a user's choice and tells the model nothing.
void GraphPanels::followUserGraph(int number)
{
    const GraphModel::UserGraph &graph = m_model.userGraph(number);
    const UserControls &controls = m_user[static_cast<size_t>(number == 2 ? 1 : 0)];
    {
        const QSignalBlocker block(controls.box);
        controls.box->setCurrentIndex(UserFigureIndex(graph.figure));
    }
    (graph.lastHourChecked ? controls.lastHour : controls.total)->setChecked(true);
    controls.total->setEnabled(graph.totalEnabled);
    controls.lastHour->setEnabled(graph.lastHourEnabled);
    controls.label->setVisible(graph.inLastHourMode());
}

void GraphPanels::boxUser1CloseUp()
{
    m_model.userFigureClosedUp(1);
}

void GraphPanels::boxUser2CloseUp()
{
    m_model.userFigureClosedUp(2);
}

void GraphPanels::rbTotal1Click()
{
    m_model.chooseTotal(1);
}

void GraphPanels::rbTotal2Click()
{
    m_model.chooseTotal(2);
}

void GraphPanels::rbLastHour1Click()
{
    m_model.chooseLastHour(1);
}

void GraphPanels::rbLastHour2Click()
{
    m_model.chooseLastHour(2);
}

void GraphPanels::btnResetClick()
{
    m_model.resetHour();
}

// The tab comes to the front first: its own tab change would otherwise take
// the highlight away at once, which is meant to go at the user's next one.
void GraphPanels::mnuuserDefinedClick()
{
    emit advancedTabWanted();
    GroupBox4->setAutoFillBackground(true);
    QPalette palette = GroupBox4->palette();
    palette.setColor(QPalette::Window, Qt::white);
    GroupBox4->setPalette(palette);
}

void GraphPanels::clearUserGroupHighlight()
{
    GroupBox4->setAutoFillBackground(false);
    GroupBox4->setPalette(QPalette());
}
