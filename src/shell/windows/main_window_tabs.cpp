// The main window's tabs: the router page, the graphs, "Configure" and
// "Advanced", each placed from the parts that own their controls.
#include "shell/windows/main_window.h"

#include "graphs/graph_model.h"
#include "graphs/graph_panels.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/indicator_pictures.h"
#include "shell/controls/log_controls.h"
#include "shell/controls/router_access_controls.h"
#include "shell/controls/tray_controller.h"
#include "shell/controls/web_server_controls.h"
#include "shell/program/line_monitor.h"
#include "shell/windows/line_events_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString TrailText()
{
    return QStringLiteral(
        "<div style='color:#c00000'><b>Please navigate to the 'Connection Information' page.</b></div>"
        "<div><b style='color:blue'>Settings &gt;</b> "
        "<b><i style='color:navy'>(Login) &gt;</i></b> "
        "<b style='color:blue'>Advanced Settings &gt;</b> "
        "<b><i style='color:navy'>Continue &gt;</i></b> "
        "<b style='color:blue'>Broadband &gt;</b> "
        "<b style='color:blue'>Connection</b></div>");
}

} // namespace

void TForm1::buildTabs(QWidget *browserWidget)
{
    PageControl1 = new QTabWidget(this);
    m_graphs = new GraphPanels(m_monitor.graphs(), this);
    m_webServer = new WebServerControls(m_monitor.webServer(), m_monitor.settings(), this);
    m_capture = new CaptureControls(m_monitor, *m_graphs, PageControl1, this);
    PageControl1->addTab(buildHomeHubTab(browserWidget), QStringLiteral("Home Hub"));
    PageControl1->addTab(m_graphs->TabSheet1, QStringLiteral("Noise Margin"));
    PageControl1->addTab(m_graphs->TabSheet2, QStringLiteral("Connection Speed"));
    PageControl1->addTab(m_graphs->TabSheet6, QStringLiteral("User Defined 1"));
    PageControl1->addTab(m_graphs->TabSheet7, QStringLiteral("User Defined 2"));
    PageControl1->addTab(buildConfigureTab(), QStringLiteral("Configure"));
    QWidget *advanced = buildAdvancedTab();
    PageControl1->addTab(advanced, QStringLiteral("Advanced"));
    m_routerAccess->watchAdvancedTab(advanced);
    PageControl1->addTab(m_graphs->TabSheet3, QString());
    PageControl1->setTabVisible(7, false);
    connect(&m_monitor.graphs(), &GraphModel::tabCaptionChanged, PageControl1,
        [this](int page, const QString &caption) { PageControl1->setTabText(page, caption); });
    PageControl1->tabBar()->setMouseTracking(true);
    PageControl1->tabBar()->installEventFilter(this);
    setCentralWidget(PageControl1);
}

QWidget *TForm1::buildHomeHubTab(QWidget *browserWidget)
{
    auto *tab = new QWidget(PageControl1);
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);

    Panel10 = new QFrame(tab);
    Panel10->setAutoFillBackground(true);
    Panel10->setBackgroundRole(QPalette::ToolTipBase);
    Panel10->setFrameShape(QFrame::StyledPanel);
    auto *trail = new QVBoxLayout(Panel10);
    trail->addWidget(new QLabel(TrailText(), Panel10));
    Panel10->hide();
    layout->addWidget(Panel10);

    m_browserHost = new QWidget(tab);
    auto *hostLayout = new QVBoxLayout(m_browserHost);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    if (browserWidget)
        hostLayout->addWidget(browserWidget);
    layout->addWidget(m_browserHost, 1);

    Label2 = new QLabel(tab);
    layout->addWidget(Label2);

    Panel4 = new QLabel(QStringLiteral("Please wait. Connecting to the Home Hub...."), tab);
    Panel4->setAlignment(Qt::AlignCenter);
    Panel4->setFrameShape(QFrame::Box);
    Panel4->setAutoFillBackground(true);
    Panel4->setGeometry(200, 120, 400, 40);
    Panel4->raise();

    Panel9 = new QLabel(QStringLiteral("Press 'Pause' in order to navigate away from this page."), tab);
    Panel9->setFrameShape(QFrame::Box);
    Panel9->setAutoFillBackground(true);
    Panel9->setBackgroundRole(QPalette::ToolTipBase);
    Panel9->adjustSize();
    Panel9->hide();
    return tab;
}

QWidget *TForm1::buildConfigureTab()
{
    auto *tab = new QWidget(PageControl1);
    auto *outer = new QVBoxLayout(tab);
    outer->addWidget(m_routerAccess->GroupBox1);

    GraphsGroup = new QGroupBox(QStringLiteral("Graphs"), tab);
    auto *graphLayout = new QVBoxLayout(GraphsGroup);
    graphLayout->addWidget(m_graphs->GraphFields);
    graphLayout->addWidget(m_capture->CaptureFields);
    graphLayout->addWidget(maintenanceRow(QString(), btnGraphmaintain, &Image23, GraphsGroup));
    m_capture->setGraphsGroup(GraphsGroup);
    outer->addWidget(GraphsGroup);
    QGroupBox *logGroup = m_logControls->GroupBox3;
    if (auto *logGrid = qobject_cast<QGridLayout *>(logGroup->layout()))
        logGrid->addWidget(maintenanceRow(QString(), btnLogMaintain, &Image16, logGroup), logGrid->rowCount(),
            0, 1, logGrid->columnCount());
    outer->addWidget(logGroup);
    outer->addStretch(1);
    return tab;
}

QWidget *TForm1::buildAdvancedTab()
{
    auto *tab = new QWidget(PageControl1);
    auto *outer = new QVBoxLayout(tab);
    outer->addWidget(m_graphs->GroupBox4);
    auto *system = new QGroupBox(QStringLiteral("System Options"), tab);
    auto *systemLayout = new QVBoxLayout(system);
    cbPrompt = new QCheckBox(QStringLiteral("Prompt before closing"), system);
    systemLayout->addWidget(m_routerAccess->cbAttemptLogin1);
    systemLayout->addWidget(m_tray->cbMinimize);
    systemLayout->addWidget(cbPrompt);
    systemLayout->addWidget(m_graphs->cbSaveAxes);
    cbNotifyEvents = new QCheckBox(LineEventsWindow::NotifyEventsCaption(), system);
    systemLayout->addWidget(cbNotifyEvents);
    cbHistoryAtStart = new QCheckBox(QStringLiteral("Show the last day from history when starting"), system);
    systemLayout->addWidget(cbHistoryAtStart);
    auto *advancedRow = new QHBoxLayout;
    advancedRow->addWidget(new QLabel(QStringLiteral("More advanced settings"), system));
    btnAdvanced = new QPushButton(QStringLiteral("Advanced+"), system);
    advancedRow->addWidget(btnAdvanced);
    advancedRow->addStretch(1);
    systemLayout->addLayout(advancedRow);
    systemLayout->addWidget(
        maintenanceRow(QStringLiteral("Set up scheduled file-trimming"), btnMaintenance, nullptr, system));
    connect(btnAdvanced, &QPushButton::clicked, this, &TForm1::btnAdvancedClick);
    systemLayout->addWidget(m_webServer->Group);
    outer->addWidget(system);
    outer->addStretch(1);
    return tab;
}

// A "Maintenance" button after its label, or followed by the tick icon that
// shows its daily job is on.
QWidget *TForm1::maintenanceRow(const QString &label, QPushButton *&button, QLabel **tick, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!label.isEmpty())
        layout->addWidget(new QLabel(label, row));
    button = new QPushButton(QStringLiteral("Maintenance"), row);
    layout->addWidget(button);
    if (tick) {
        *tick = new QLabel(row);
        (*tick)->setPixmap(IndicatorPicture(Indicator::Tick));
        (*tick)->hide();
        layout->addWidget(*tick);
    }
    layout->addStretch(1);
    return row;
}
