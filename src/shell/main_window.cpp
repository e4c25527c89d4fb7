#include "shell/main_window.h"

#include "base/router_type.h"
#include "base/settings.h"
#include "graphs/graph_set.h"
#include "outputs/daily_maintenance.h"
#include "outputs/graph_capture.h"
#include "outputs/output_settings.h"
#include "sampling/browser_view.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "shell/capture_controls.h"
#include "shell/control_bindings.h"
#include "shell/image_viewer.h"
#include "shell/indicator_pictures.h"
#include "shell/line_events_window.h"
#include "shell/line_monitor.h"
#include "shell/log_controls.h"
#include "shell/more_advanced_settings_dialog.h"
#include "shell/router_access_controls.h"
#include "shell/run_glyphs.h"
#include "shell/shared_steps.h"
#include "shell/size_texts.h"
#include "shell/status_step.h"
#include "shell/tray_controller.h"
#include "shell/web_server_controls.h"
#include "shell/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int HintRightMargin = 450;
constexpr int AdvancedTab = 6;

QLabel *Readout(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(90);
    return label;
}

QLabel *Caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

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

TForm1::TForm1(LineMonitor &monitor, QWidget *browserWidget, QWidget *parent)
    : QMainWindow(parent), m_monitor(monitor), m_browser(monitor.view())
{
    setWindowTitle(QStringLiteral("Linewarden"));
    setMinimumSize(kMinimumWindowSize);

    m_logControls = new LogControls(m_monitor.settings(), m_monitor.context().dataFolder, this);
    m_routerAccess = new RouterAccessControls(m_monitor.settings(), this);
    boxType1 = m_routerAccess->boxType1;
    edAddress = m_routerAccess->edAddress;
    edPassword1 = m_routerAccess->edPassword1;
    cbAttemptLogin1 = m_routerAccess->cbAttemptLogin1;
    m_tray = new TrayController(this, m_monitor.settings().context().locale);
    buildTabs(browserWidget);
    buildToolbar();
    buildStatusBar();
    buildPageMenu(browserWidget);
    buildMainMenu();
    connectParts();

    // The mouse wheel does nothing anywhere in the program.
    qApp->installEventFilter(this);

    bindSettings();
    m_monitor.applySettings();
    startUp();
    Form3 = new TForm3(m_capture->edCapture->text(), this);
    Form7 = new TForm7(m_monitor.settings(), m_monitor.clock(), *m_graphs, this);
    connect(Form7, &TForm7::applied, m_webServer, &WebServerControls::followWebFolder);
    buildMaintenance();
    FormLineEvents
        = new LineEventsWindow(m_monitor.lineEvents(), m_monitor.settings(), m_monitor.clock(), this);
}

SampleCycle &TForm1::cycle()
{
    return m_monitor.cycle();
}

RouterNavigation &TForm1::navigation()
{
    return m_monitor.navigation();
}

// Every control that holds a key of the settings file, bound in one place;
// the window's own controls here, the graphs' in the graph set.
void TForm1::bindSettings()
{
    SettingsBindings &bindings = m_monitor.bindings();
    Settings &settings = m_monitor.settings();
    m_routerAccess->bindSettings(bindings);
    BindCheckBox(bindings, settings, SettingKey::Prompt, cbPrompt);
    m_logControls->bindSettings(bindings);
    BindLineEdit(bindings, settings, SettingKey::Capture, m_capture->edCapture);
    BindCheckBox(bindings, settings, SettingKey::cbCapture, m_capture->cbCapture);
    BindCheckBox(bindings, settings, SettingKey::LostSync, m_capture->cbOnlyIfLost);
    BindCheckBox(bindings, settings, SettingKey::OnClose, m_capture->cbCaptureOnClose);
    BindCheckBox(bindings, settings, SettingKey::Minimize, m_tray->cbMinimize);
    m_graphs->bindSettings(bindings);
    // The window's place is set once all four of its keys are read; Left is
    // the last of them.
    bindings.bind(SettingKey::Left, [this] { placeWindow(); });
    bindings.beforeSave([this, &settings] {
        const QRect place = storedGeometry();
        settings.setInteger(SettingKey::Left, place.x());
        settings.setInteger(SettingKey::Top, place.y());
        settings.setInteger(SettingKey::Width, place.width());
        settings.setInteger(SettingKey::Height, place.height());
    });
    m_webServer->bindSettings(bindings);
    // A tab outside the visible ones (a hand-edited file) leaves the first.
    bindings.bind(SettingKey::Page, [this, &settings] {
        const int page = settings.integer(SettingKey::Page);
        if (page >= 0 && page <= 6)
            PageControl1->setCurrentIndex(page);
    });
    connect(PageControl1, &QTabWidget::currentChanged, this,
        [&settings](int page) { settings.setInteger(SettingKey::Page, page); });
}

// The creation steps that follow the load of the settings, in their order.
void TForm1::startUp()
{
    m_routerAccess->startUp();
    m_capture->startUp();
    showStatusTexts(StatusTextsAtStartUp(m_monitor.settings()));
    m_graphs->startUp();
    m_webServer->fillAddressList(WebServerControls::LocalIPv4Addresses());
    Image16->setVisible(m_monitor.settings().flag(SettingKey::TrimLog));
    Image23->setVisible(m_monitor.settings().flag(SettingKey::DeleteImages));
    showReadouts(Readouts());
    Label2->clear();
    m_browser.setSilent(true);
    m_browser.ensureWindow();
    if (!cbAttemptLogin1->isChecked())
        PageControl1->setCurrentIndex(0);
    runStateChanged();
}

// What the parts report, shown; the window passes nothing on between them.
void TForm1::connectParts()
{
    SampleCycle &cycle = m_monitor.cycle();
    connect(&cycle, &SampleCycle::runStateChanged, this, &TForm1::runStateChanged);
    connect(&cycle, &SampleCycle::startTimeChanged, StatusPanel0, &QLabel::setText);
    connect(&cycle, &SampleCycle::navigationHintHidden, Panel9, &QWidget::hide);
    // The router's model and password may change only while not sampling.
    connect(&cycle, &SampleCycle::started, m_routerAccess,
        [this] { m_routerAccess->setSamplingControlsEnabled(false); });
    connect(&cycle, &SampleCycle::paused, m_routerAccess,
        [this] { m_routerAccess->setSamplingControlsEnabled(true); });

    RouterNavigation &navigation = m_monitor.navigation();
    connect(&navigation, &RouterNavigation::pageArrived, Panel4, &QWidget::hide);
    connect(
        &navigation, &RouterNavigation::routerPageWanted, this, [this] { PageControl1->setCurrentIndex(0); });
    connect(&navigation, &RouterNavigation::readoutsChanged, this, &TForm1::showReadouts);
    connect(
        &navigation, &RouterNavigation::cursorRestored, this, [] { QApplication::restoreOverrideCursor(); });
    connect(&navigation, &RouterNavigation::trailVisibilityChanged, Panel10, &QWidget::setVisible);
    connect(&navigation, &RouterNavigation::statisticsPageConfirmed, this, &TForm1::showStatisticsPage);
    connect(&navigation, &RouterNavigation::navigationHintChanged, this, &TForm1::showNavigationHint);

    connect(
        m_graphs, &GraphSet::advancedTabWanted, this, [this] { PageControl1->setCurrentIndex(AdvancedTab); });
    connect(&m_capture->capture(), &GraphCapture::allGraphsCaptured, this, [this] {
        const OutputSettings outputs(m_monitor.settings());
        StatusPanel2->setText(CapturePanelText(outputs.captureFolder(), outputs.locale()));
    });
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

void TForm1::buildToolbar()
{
    auto *bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setMovable(false);
    bar->setMouseTracking(true);
    bar->installEventFilter(this);
    m_toolbar = bar;
    m_toolbarPicture = ToolbarBackgroundPicture();
    bar->setObjectName(QStringLiteral("ImageToolbar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    btnRun = new QToolButton(bar);
    btnRun->setObjectName(QStringLiteral("btnRun"));
    btnRun->setToolTip(QStringLiteral("Start / pause plotting"));
    btnRun->setCheckable(true);
    btnRun->setEnabled(false);
    btnRun->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(btnRun);

    btnStop = new QToolButton(bar);
    btnStop->setObjectName(QStringLiteral("btnStop"));
    btnStop->setCheckable(true);
    btnStop->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnStop->installEventFilter(this);
    bar->addWidget(btnStop);

    connect(btnRun, &QToolButton::clicked, &m_monitor.cycle(), &SampleCycle::btnRunClick);
    connect(btnStop, &QToolButton::clicked, &m_monitor.cycle(), &SampleCycle::btnStopClick);
    // A click toggles the button's latched look itself; the look follows
    // the run state, whatever the click did.
    connect(btnRun, &QToolButton::clicked, this, &TForm1::runStateChanged);
    connect(btnStop, &QToolButton::clicked, this, &TForm1::runStateChanged);
    bar->addWidget(m_capture->btnCapture);
    bar->addWidget(m_capture->btnViewCap);
    connect(m_capture->btnViewCap, &QToolButton::clicked, this, &TForm1::btnViewCapClick);
    bar->addWidget(m_capture->Indicators);
    bar->addWidget(m_logControls->btnLog);

    auto *readouts = new QWidget(bar);
    auto *grid = new QGridLayout(readouts);
    grid->setContentsMargins(12, 0, 4, 0);
    grid->setVerticalSpacing(0);
    Label20 = Readout(readouts);
    Label22 = Readout(readouts);
    Label15 = Readout(readouts);
    Label23 = Readout(readouts);
    Label25 = Readout(readouts);
    grid->addWidget(Caption(QStringLiteral("Router Uptime:"), readouts), 0, 0);
    grid->addWidget(Label25, 0, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Upstream:"), readouts), 1, 0);
    grid->addWidget(Label20, 1, 1);
    grid->addWidget(Label15, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Downstream:"), readouts), 2, 0);
    grid->addWidget(Label22, 2, 1);
    grid->addWidget(Label23, 2, 2);
    bar->addWidget(readouts);
    // A widget put straight on a tool bar shows and hides only through its
    // action; the logging indicator shows and hides itself with "Enable
    // logging", so it sits in a holder as the other indicators do.
    auto *logIndicator = new QWidget(bar);
    auto *logRow = new QHBoxLayout(logIndicator);
    logRow->setContentsMargins(4, 0, 4, 0);
    logRow->addWidget(m_logControls->Image7);
    bar->addWidget(logIndicator);
    bar->addWidget(m_webServer->Indicator);
}

void TForm1::buildTabs(QWidget *browserWidget)
{
    PageControl1 = new QTabWidget(this);
    m_graphs
        = new GraphSet(m_monitor.cycle(), m_monitor.sample(), m_monitor.clock(), m_monitor.settings(), this);
    FollowUserFigures(*m_graphs, m_monitor);
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
    connect(m_graphs, &GraphSet::tabCaptionChanged, PageControl1,
        [this](int page, const QString &caption) { PageControl1->setTabText(page, caption); });
    // A press on another tab first gives "Router Access" its normal face
    // back; once the tab changed, the other group boxes follow.
    connect(PageControl1->tabBar(), &QTabBar::tabBarClicked, m_routerAccess, [this](int page) {
        if (page != PageControl1->currentIndex())
            m_routerAccess->clearHighlight();
    });
    connect(PageControl1, &QTabWidget::currentChanged, m_graphs, &GraphSet::clearUserGroupHighlight);
    connect(PageControl1, &QTabWidget::currentChanged, m_logControls, &LogControls::clearHighlight);
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
    spSample = m_graphs->spSample;
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
    boxUser1 = m_graphs->boxUser1;
    boxUser2 = m_graphs->boxUser2;
    auto *system = new QGroupBox(QStringLiteral("System Options"), tab);
    auto *systemLayout = new QVBoxLayout(system);
    cbPrompt = new QCheckBox(QStringLiteral("Prompt before closing"), system);
    systemLayout->addWidget(cbAttemptLogin1);
    systemLayout->addWidget(m_tray->cbMinimize);
    systemLayout->addWidget(cbPrompt);
    systemLayout->addWidget(m_graphs->cbSaveAxes);
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

void TForm1::btnAdvancedClick()
{
    Form7->ShowModal();
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

// The maintenance window and the four ways to it; its tick icons, and a
// trim that fails (by the daily timer or "Trim Now") told to the user.
void TForm1::buildMaintenance()
{
    DailyMaintenance &maintenance = m_monitor.maintenance();
    Form5 = new TForm5(m_monitor.settings(), maintenance, m_monitor.clock(), this);
    connect(btnLogMaintain, &QPushButton::clicked, this,
        [this] { btnMaintenanceClick(TForm5::Opener::LogGroup); });
    connect(btnGraphmaintain, &QPushButton::clicked, this,
        [this] { btnMaintenanceClick(TForm5::Opener::GraphsGroup); });
    connect(btnMaintenance, &QPushButton::clicked, this,
        [this] { btnMaintenanceClick(TForm5::Opener::SystemOptions); });
    connect(this, &TForm1::maintenanceWanted, this, [this] { btnMaintenanceClick(TForm5::Opener::Menu); });
    connect(Form5, &TForm5::trimLogChanged, Image16, &QWidget::setVisible);
    connect(Form5, &TForm5::deleteImagesChanged, Image23, &QWidget::setVisible);
    connect(Form5, &TForm5::logViewWanted, m_logControls, &LogControls::btnLogClick);
    connect(Form5, &TForm5::imageViewerWanted, this, [this] { showImageViewer(50); });
    connect(&maintenance, &DailyMaintenance::trimFailed, this, &TForm1::reportTrimError);
}

void TForm1::btnMaintenanceClick(TForm5::Opener opener)
{
    Form5->ShowModal(opener);
}

void TForm1::reportTrimError(const QString &text)
{
    if (m_trimErrorReport) {
        m_trimErrorReport(text);
        return;
    }
    // Over the maintenance window when "Trim Now" failed.
    QWidget *parent = QApplication::activeModalWidget();
    QMessageBox::critical(parent ? parent : this, QStringLiteral("Linewarden"), text);
}

void TForm1::btnViewCapClick()
{
    showImageViewer(110);
}

void TForm1::showImageViewer(int belowTop)
{
    Form3->showModalOver(*this, belowTop, m_capture->edCapture->text());
}

void TForm1::mnuLineEventsClick()
{
    FormLineEvents->ShowModal();
}

void TForm1::buildStatusBar()
{
    // Start time, log size and capture folder size; the last panel reaches
    // to the right edge.
    statusBar()->setFont(QFont(QStringLiteral("Arial")));
    StatusPanel0 = new QLabel(statusBar());
    StatusPanel0->setFixedWidth(250);
    StatusPanel1 = new QLabel(statusBar());
    StatusPanel1->setFixedWidth(300);
    StatusPanel2 = new QLabel(statusBar());
    StatusPanel2->setMinimumWidth(50);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1);
    statusBar()->addWidget(StatusPanel2, 1);
}

void TForm1::showStatusTexts(const StatusTexts &texts)
{
    StatusPanel1->setText(texts.log);
    StatusPanel2->setText(texts.captureFolder);
    m_logControls->refresh();
}

void TForm1::buildPageMenu(QWidget *browserWidget)
{
    PopupMenu1 = new QMenu(this);
    auto *copy = PopupMenu1->addAction(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    PopupMenu1->addSeparator();
    auto *selectAll = PopupMenu1->addAction(QStringLiteral("Select All"));
    selectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    PopupMenu1->addSeparator();
    auto *saveImage = PopupMenu1->addAction(QStringLiteral("Save ADSL Line Stats Image As..."));
    connect(copy, &QAction::triggered, this, &TForm1::mnuCopyPageClick);
    connect(selectAll, &QAction::triggered, this, &TForm1::mnuSelectAllPageClick);
    connect(saveImage, &QAction::triggered, this,
        [this, browserWidget] { m_capture->mnuSaveImageClick(browserWidget); });
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this, copy, saveImage] {
        copy->setEnabled(!m_browser.selectedText().isEmpty());
        saveImage->setEnabled(Label2->text() == u'!' + m_monitor.urls().navigationUrl);
    });
    if (browserWidget) {
        connect(browserWidget, &QWidget::customContextMenuRequested, this,
            [this, browserWidget](const QPoint &pos) { showPageMenu(browserWidget->mapToGlobal(pos)); });
    }
}

// The main menu with the items whose work exists so far; wizard and help
// items join it as those parts arrive.
void TForm1::buildMainMenu()
{
    File1 = menuBar()->addMenu(QStringLiteral("File"));
    File1->addAction(m_capture->mnuCaptureVisible);
    File1->addAction(m_capture->mnuCaptureAll);
    File1->addSeparator();
    File1->addAction(m_capture->mnuSaveAs);
    File1->addSeparator();
    mnuMaintain = File1->addAction(QStringLiteral("Manage File Sizes..."));
    connect(mnuMaintain, &QAction::triggered, this, &TForm1::maintenanceWanted);
    File1->addSeparator();
    connect(File1->addAction(QStringLiteral("Setup Wizard...")), &QAction::triggered, this,
        &TForm1::setupWizardWanted);
    File1->addSeparator();
    mnuLineEvents = File1->addAction(QStringLiteral("Line Events..."));
    connect(mnuLineEvents, &QAction::triggered, this, &TForm1::mnuLineEventsClick);
    File1->addSeparator();
    connect(File1->addAction(QStringLiteral("Exit")), &QAction::triggered, this, &QWidget::close);
    connect(File1, &QMenu::aboutToShow, m_capture, &CaptureControls::File1Click);

    Edit1 = menuBar()->addMenu(QStringLiteral("Edit"));
    mnuCopy = Edit1->addAction(QStringLiteral("Copy to Clipboard"));
    connect(mnuCopy, &QAction::triggered, this,
        [this] { m_graphs->copyGraphOfPage(PageControl1->currentIndex()); });
    mnuCopyPage = Edit1->addAction(QStringLiteral("Copy"));
    mnuCopyPage->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    connect(mnuCopyPage, &QAction::triggered, this, &TForm1::mnuCopyPageClick);
    mnuSelectAll = Edit1->addAction(QStringLiteral("Select All"));
    mnuSelectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    connect(mnuSelectAll, &QAction::triggered, this, &TForm1::mnuSelectAllPageClick);
    connect(Edit1, &QMenu::aboutToShow, this, &TForm1::Edit1Click);

    Configure1 = menuBar()->addMenu(QStringLiteral("Configure"));
    Configure1->addAction(m_capture->mnuStartCapture);
    Configure1->addAction(m_capture->mnuStopCapture);
    Configure1->addAction(m_logControls->mnuStartLog);
    Configure1->addAction(m_logControls->mnuStopLog);
    Configure1->addSeparator();
    Configure1->addAction(m_capture->mnuConfigCap);
    Configure1->addAction(m_logControls->mnuConfigLog);
    Configure1->addSeparator();
    connect(Configure1->addAction(QStringLiteral("Configure User Defined Graphs...")), &QAction::triggered,
        m_graphs, &GraphSet::mnuuserDefinedClick);
    // Only the start and stop items that apply show.
    connect(Configure1, &QMenu::aboutToShow, m_capture, &CaptureControls::ConfigureMenuOpened);
    connect(Configure1, &QMenu::aboutToShow, m_logControls, &LogControls::configureMenuOpening);
    // Each "Configure ..." item highlights its group and takes the other's
    // highlight away.
    connect(m_capture->mnuConfigCap, &QAction::triggered, m_logControls, &LogControls::clearHighlight);
    connect(m_logControls, &LogControls::graphsHighlightCleared, m_capture,
        &CaptureControls::clearGraphsHighlight);

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    connect(help->addAction(QStringLiteral("Help...")), &QAction::triggered, this, &TForm1::helpWanted);
    help->addSeparator();
    connect(help->addAction(QStringLiteral("About...")), &QAction::triggered, this, &TForm1::aboutWanted);
}

bool TForm1::SaveIni()
{
    return m_monitor.SaveIni();
}

void TForm1::FormShow()
{
    m_monitor.navigation().initialNavigation(m_monitor.settingsFileExists());
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// Stored size and place, centred on the primary monitor when the right edge
// lies beyond the desktop or Monitor1 asks for it.
void TForm1::placeWindow()
{
    // A hand-edited file can hold any 32-bit number; no desktop reaches a
    // million pixels, and within that the rectangle's arithmetic cannot
    // overflow.
    static constexpr int Far = 1 << 20;
    const Settings &settings = m_monitor.settings();
    const auto position
        = [&settings](SettingKey key) { return std::clamp(settings.integer(key), -Far, Far); };
    const auto length = [&settings](SettingKey key) { return std::clamp(settings.integer(key), 0, Far); };
    const QRect stored(position(SettingKey::Left), position(SettingKey::Top), length(SettingKey::Width),
        length(SettingKey::Height));
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    const QRect place = PlaceMainWindow(
        stored, primary->virtualGeometry(), primary->geometry(), settings.flag(SettingKey::Monitor1));
    resize(place.size().expandedTo(minimumSize()));
    move(place.topLeft());
}

QRect TForm1::storedGeometry() const
{
    if (isMaximized() || isMinimized() || isFullScreen())
        return normalGeometry();
    return QRect(pos(), size());
}

// Over the middle of the window; while the window is hidden in the tray,
// near the bottom right of the screen, where the tray usually is.
QPoint TForm1::closeQuestionPosition() const
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (m_tray->iconShowing() && primary) {
        const QRect screen = primary->geometry();
        return QPoint(screen.x() + screen.width() - 350, screen.y() + screen.height() - 200);
    }
    const QRect place = storedGeometry();
    return QPoint(place.x() + place.width() / 2 - 130, place.y() + place.height() / 2 - 60);
}

int TForm1::execCloseBox(QMessageBox &box)
{
    m_closeBox = &box;
    return box.exec();
}

bool TForm1::askToClose(const QPoint &position)
{
    if (m_closeQuestion)
        return m_closeQuestion(position);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Linewarden"),
        QStringLiteral("Confirm: Close Linewarden?"), QMessageBox::Yes | QMessageBox::Cancel, this);
    box.move(position);
    return execCloseBox(box) == QMessageBox::Yes;
}

// A failed save is told to the user who closed the window; ended from
// outside there is nobody to answer a message box.
void TForm1::tellSaveFailed()
{
    if (!m_askBeforeClosing || m_endRequested)
        return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Linewarden"),
        Settings::SaveFailedText(m_monitor.context().settingsPath), QMessageBox::Ok, this);
    execCloseBox(box);
}

bool TForm1::requestClose(bool mayAsk)
{
    // The close under way waits in one of its boxes (a nested event loop):
    // closing again would be refused, so the box goes and that close goes
    // ahead without asking.
    if (m_closing) {
        m_endRequested = true;
        if (m_closeBox)
            m_closeBox->reject();
        return true;
    }
    m_askBeforeClosing = mayAsk;
    const bool closed = close();
    m_askBeforeClosing = true;
    return closed;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    m_closing = true;
    const bool confirmed = !m_askBeforeClosing || !cbPrompt->isChecked()
        || askToClose(closeQuestionPosition()) || m_endRequested;
    if (!confirmed) {
        m_closing = false;
        event->ignore();
        return;
    }
    m_monitor.prepareClose();
    emit closing();
    m_capture->captureOnClose();
    if (!SaveIni())
        tellSaveFailed();
    m_closing = false;
    m_closed = true;
    event->accept();
    emit closed();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel)
        return true;
    // Every press counts, the second of a quick pair too (it arrives as a
    // double click).
    if (watched == btnStop
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
        m_monitor.cycle().btnStopMouseDown();
    // Moving over the tab row or the toolbar puts the navigation hint away.
    if (event->type() == QEvent::MouseMove && (watched == PageControl1->tabBar() || watched == m_toolbar))
        Panel9->hide();
    // The toolbar's background picture, stretched over the strip in place of
    // the style's panel.
    if (event->type() == QEvent::Paint && watched == m_toolbar) {
        QPainter painter(m_toolbar);
        painter.drawPixmap(m_toolbar->rect(), m_toolbarPicture);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The first item names the graph of the selected tab ("[none]" counting as
// an empty caption) and shows on the graph tabs only; the page's items show
// on the router page only.
void TForm1::Edit1Click()
{
    const int page = PageControl1->currentIndex();
    QString caption = PageControl1->tabText(page);
    if (caption == u"[none]")
        caption.clear();
    mnuCopy->setText(QStringLiteral("Copy ") + caption + QStringLiteral(" Graph Image"));
    mnuCopy->setVisible(page >= 1 && page <= 4);
    mnuCopyPage->setVisible(page == 0);
    mnuSelectAll->setVisible(page == 0);
}

void TForm1::mnuCopyPageClick()
{
    const QString text = m_browser.selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TForm1::mnuSelectAllPageClick()
{
    m_browser.selectAll();
}

void TForm1::showPageMenu(const QPoint &globalPos)
{
    PopupMenu1->popup(globalPos);
}

void TForm1::runStateChanged()
{
    const SampleCycle &cycle = m_monitor.cycle();
    setWindowTitle(cycle.title());
    btnRun->setText(cycle.runCaption());
    btnRun->setChecked(cycle.runPressed());
    btnStop->setText(cycle.stopCaption());
    btnStop->setIcon(RunGlyph(cycle.stopGlyph()));
    btnStop->setChecked(cycle.stopPressed());
}

void TForm1::showReadouts(const Readouts &readouts)
{
    Label20->setText(readouts.Label20);
    Label22->setText(readouts.Label22);
    Label15->setText(readouts.Label15);
    Label23->setText(readouts.Label23);
    Label25->setText(readouts.Label25);
}

void TForm1::showStatisticsPage(const QString &url)
{
    Panel10->hide();
    btnRun->setEnabled(true);
    Label2->setText(u'!' + url);
}

void TForm1::showNavigationHint(bool show)
{
    if (!show) {
        Panel9->hide();
        return;
    }
    QWidget *tab = Panel9->parentWidget();
    const QPoint pointer = m_browserHost->mapTo(tab, m_browserHost->mapFromGlobal(QCursor::pos()));
    const int left = std::min(pointer.x(), width() - HintRightMargin);
    Panel9->move(left, pointer.y() + Panel9->height());
    Panel9->show();
    Panel9->raise();
}
