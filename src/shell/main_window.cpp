#include "shell/main_window.h"

#include "base/clock.h"
#include "base/settings.h"
#include "graphs/graph_set.h"
#include "sampling/browser_view.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "shell/run_glyphs.h"

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
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int HintRightMargin = 450;

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

TForm1::TForm1(const MainWindowContext &context, QWidget *parent) : QMainWindow(parent), m_context(context)
{
    setWindowTitle(QStringLiteral("Linewarden"));
    setMinimumSize(850, 650);
    m_settings = LoadMainWindowSettings(m_context.settingsPath, m_context.dataFolder);

    buildTabs();
    m_browser = m_context.makeBrowser(m_browserHost);
    m_cycle = new SampleCycle(*m_browser, m_urls, m_sample, *m_context.clock, *this, this);
    m_navigation
        = new RouterNavigation(*m_browser, *m_cycle, m_urls, m_sample, *m_context.clock, *this, this);
    buildToolbar();
    buildStatusBar();
    buildPageMenu();
    buildMainMenu();

    // The mouse wheel does nothing anywhere in the program.
    qApp->installEventFilter(this);

    applySettings();
    Label20->clear();
    Label22->clear();
    Label15->clear();
    Label23->clear();
    Label25->clear();
    Label2->clear();
    m_log.setHeader(LogHeader(boxUser1->currentText(), boxUser2->currentText()));
    m_log.setHeaderPending(false);
    m_cycle->setPauseDelaySeconds(m_settings.pauseDelay);
    m_browser->setSilent(true);
    m_browser->ensureWindow();
    if (!cbAttemptLogin1->isChecked())
        PageControl1->setCurrentIndex(0);
    runStateChanged();
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

    connect(btnRun, &QToolButton::clicked, m_cycle, &SampleCycle::btnRunClick);
    connect(btnStop, &QToolButton::clicked, m_cycle, &SampleCycle::btnStopClick);
    // The latched look always follows the run state, whatever the click did.
    connect(btnRun, &QToolButton::clicked, this, &TForm1::runStateChanged);
    connect(btnStop, &QToolButton::clicked, this, &TForm1::runStateChanged);

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
}

void TForm1::buildTabs()
{
    PageControl1 = new QTabWidget(this);
    m_graphs = new GraphSet(*this, this);
    PageControl1->addTab(buildHomeHubTab(), QStringLiteral("Home Hub"));
    PageControl1->addTab(m_graphs->TabSheet1, QStringLiteral("Noise Margin"));
    PageControl1->addTab(m_graphs->TabSheet2, QStringLiteral("Connection Speed"));
    PageControl1->addTab(m_graphs->TabSheet6, QStringLiteral("User Defined 1"));
    PageControl1->addTab(m_graphs->TabSheet7, QStringLiteral("User Defined 2"));
    PageControl1->addTab(buildConfigureTab(), QStringLiteral("Configure"));
    PageControl1->addTab(buildAdvancedTab(), QStringLiteral("Advanced"));
    PageControl1->addTab(m_graphs->TabSheet3, QString());
    PageControl1->setTabVisible(7, false);
    connect(m_graphs, &GraphSet::tabCaptionChanged, PageControl1,
        [this](int page, const QString &caption) { PageControl1->setTabText(page, caption); });
    connect(PageControl1, &QTabWidget::currentChanged, m_graphs, &GraphSet::clearUserGroupHighlight);
    PageControl1->tabBar()->setMouseTracking(true);
    PageControl1->tabBar()->installEventFilter(this);
    setCentralWidget(PageControl1);
}

QWidget *TForm1::buildHomeHubTab()
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
    auto *access = new QGroupBox(QStringLiteral("Router Access"), tab);
    auto *form = new QFormLayout(access);
    boxType1 = new QComboBox(access);
    boxType1->addItems({ QStringLiteral("Type A"), QStringLiteral("Type B") });
    edAddress = new QLineEdit(access);
    edPassword1 = new QLineEdit(access);
    edPassword1->setEchoMode(QLineEdit::Password);
    cbAttemptLogin1 = new QCheckBox(QStringLiteral("Attempt to log into the Home Hub automatically"), access);
    form->addRow(QStringLiteral("Router type:"), boxType1);
    form->addRow(QStringLiteral("Address:"), edAddress);
    form->addRow(cbAttemptLogin1);
    form->addRow(QStringLiteral("Password:"), edPassword1);
    outer->addWidget(access);

    auto *graphs = new QGroupBox(QStringLiteral("Graphs"), tab);
    auto *graphLayout = new QVBoxLayout(graphs);
    graphLayout->addWidget(m_graphs->GraphFields);
    spSample = m_graphs->spSample;
    outer->addWidget(graphs);
    outer->addStretch(1);

    connect(boxType1, &QComboBox::currentIndexChanged, this,
        [this](int index) { cbAttemptLogin1->setEnabled(index == 0); });
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
    systemLayout->addWidget(m_graphs->cbSaveAxes);
    outer->addWidget(system);
    outer->addStretch(1);
    return tab;
}

void TForm1::buildStatusBar()
{
    StatusPanel0 = new QLabel(statusBar());
    statusBar()->addWidget(StatusPanel0, 1);
}

void TForm1::buildPageMenu()
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
    // Saving the page image comes with the image capture.
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this, copy, saveImage] {
        copy->setEnabled(!m_browser->selectedText().isEmpty());
        saveImage->setEnabled(Label2->text() == u'!' + m_urls.navigationUrl);
    });
    if (QWidget *view = m_browserHost->findChild<QWidget *>()) {
        connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint &pos) { showPageMenu(view->mapToGlobal(pos)); });
    }
}

// The main menu with the items whose work exists so far; capture, logging,
// maintenance, wizard and help items join it as those parts arrive.
void TForm1::buildMainMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    connect(file->addAction(QStringLiteral("Exit")), &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    QAction *copyGraph = edit->addAction(QStringLiteral("Copy to Clipboard"));
    connect(copyGraph, &QAction::triggered, this,
        [this] { m_graphs->copyGraphOfPage(PageControl1->currentIndex()); });
    QAction *copy = edit->addAction(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    connect(copy, &QAction::triggered, this, &TForm1::mnuCopyPageClick);
    QAction *selectAll = edit->addAction(QStringLiteral("Select All"));
    selectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    connect(selectAll, &QAction::triggered, this, &TForm1::mnuSelectAllPageClick);
    // The first item names the graph of the selected tab; "[none]" counts
    // as an empty caption.
    connect(edit, &QMenu::aboutToShow, this, [this, copyGraph] {
        QString caption = PageControl1->tabText(PageControl1->currentIndex());
        if (caption == u"[none]")
            caption.clear();
        copyGraph->setText(QStringLiteral("Copy ") + caption + QStringLiteral(" Graph Image"));
    });

    QMenu *configure = menuBar()->addMenu(QStringLiteral("Configure"));
    connect(configure->addAction(QStringLiteral("Configure User Defined Graphs...")), &QAction::triggered,
        m_graphs, &GraphSet::mnuuserDefinedClick);
}

void TForm1::applySettings()
{
    edAddress->setText(m_settings.address);
    edPassword1->setText(m_settings.password);
    cbAttemptLogin1->setChecked(m_settings.login);
    boxType1->setCurrentIndex(m_settings.type);
    cbAttemptLogin1->setEnabled(m_settings.type == 0);
    m_urls.navigationUrl = m_settings.actualUrl;
    // The graph steps of the creation: fields, user-defined graphs, axes,
    // 3-D looks; the log header is composed and not yet due.
    GraphSettings graphs = m_settings.graphs;
    graphs.sample = m_settings.sample;
    graphs.user1 = m_settings.user1;
    graphs.user2 = m_settings.user2;
    m_graphs->startUp(graphs);
    if (m_settings.page >= 0 && m_settings.page <= 6)
        PageControl1->setCurrentIndex(m_settings.page);
}

void TForm1::collectSettings()
{
    m_settings.address = edAddress->text();
    m_settings.password = edPassword1->text();
    m_settings.login = cbAttemptLogin1->isChecked();
    m_settings.type = boxType1->currentIndex();
    m_settings.actualUrl = m_urls.navigationUrl;
    m_settings.graphs = m_graphs->currentSettings();
    m_settings.sample = m_settings.graphs.sample;
    m_settings.user1 = m_settings.graphs.user1;
    m_settings.user2 = m_settings.graphs.user2;
    m_settings.page = PageControl1->currentIndex();
}

bool TForm1::SaveIni()
{
    collectSettings();
    return SaveMainWindowSettings(m_context.settingsPath, m_context.dataFolder, m_settings);
}

void TForm1::FormShow()
{
    m_navigation->initialNavigation(QFileInfo::exists(m_context.settingsPath));
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    m_browser->stop();
    if (m_urls.learnedUrl != m_urls.navigationUrl)
        m_urls.navigationUrl = m_urls.learnedUrl;
    if (!SaveIni())
        QMessageBox::warning(
            this, QStringLiteral("Linewarden"), Settings::SaveFailedText(m_context.settingsPath));
    event->accept();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel)
        return true;
    if (watched == btnStop && event->type() == QEvent::MouseButtonPress)
        m_cycle->btnStopMouseDown();
    // Moving over the tab row or the toolbar puts the navigation hint away.
    if (event->type() == QEvent::MouseMove && (watched == PageControl1->tabBar() || watched == m_toolbar))
        Panel9->hide();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::mnuCopyPageClick()
{
    const QString text = m_browser->selectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TForm1::mnuSelectAllPageClick()
{
    m_browser->selectAll();
}

void TForm1::showPageMenu(const QPoint &globalPos)
{
    PopupMenu1->popup(globalPos);
}

QPixmap TForm1::glyph(const QString &name) const
{
    return RunGlyph(name);
}

// --- SampleCycleHost ---------------------------------------------------------

void TForm1::hideNavigationHint()
{
    Panel9->hide();
}

void TForm1::showStartTime(const QString &text)
{
    StatusPanel0->setText(text);
}

void TForm1::runMaintenanceCheck()
{
    // The daily maintenance check comes with the maintenance schedule.
}

void TForm1::resetCaptureState(bool starting)
{
    Q_UNUSED(starting); // the capture icons come with the image capture
    m_lostSyncCaptured = false;
}

void TForm1::setRouterControlsEnabled(bool enabled)
{
    boxType1->setEnabled(enabled);
    edPassword1->setEnabled(enabled);
}

void TForm1::showTrayStopped()
{
    // The tray icon comes with its own part.
}

void TForm1::runStateChanged()
{
    setWindowTitle(m_cycle->title());
    btnRun->setText(m_cycle->runCaption());
    btnRun->setChecked(m_cycle->runPressed());
    btnStop->setText(m_cycle->stopCaption());
    btnStop->setIcon(glyph(m_cycle->stopGlyph()));
    btnStop->setChecked(m_cycle->stopPressed());
}

// --- RouterNavigationHost ----------------------------------------------------

RouterAccess TForm1::routerAccess() const
{
    RouterAccess access;
    access.type = boxType1->currentIndex();
    access.address = edAddress->text();
    access.password = edPassword1->text();
    access.attemptLogin = cbAttemptLogin1->isChecked() && cbAttemptLogin1->isEnabled();
    access.hhaUrl = m_settings.hhaUrl;
    access.hhbUrl = m_settings.hhbUrl;
    return access;
}

ReaderOptions TForm1::readerOptions() const
{
    ReaderOptions options;
    options.user1Text = boxUser1->currentText();
    options.user2Text = boxUser2->currentText();
    options.logTab = m_settings.logTab;
    return options;
}

QString TForm1::logDateFormat() const
{
    return m_settings.logDateFormat;
}

void TForm1::setStatisticsPath(int type, const QString &path)
{
    if (type == 0)
        m_settings.hhaUrl = path;
    else if (type == 1)
        m_settings.hhbUrl = path;
}

void TForm1::hideConnectingNotice()
{
    Panel4->hide();
}

void TForm1::showHomeHubTab()
{
    PageControl1->setCurrentIndex(0);
}

void TForm1::showReadouts(const Readouts &readouts)
{
    Label20->setText(readouts.Label20);
    Label22->setText(readouts.Label22);
    Label15->setText(readouts.Label15);
    Label23->setText(readouts.Label23);
    Label25->setText(readouts.Label25);
}

void TForm1::restoreCursor()
{
    QApplication::restoreOverrideCursor();
}

void TForm1::setTrailVisible(bool visible)
{
    Panel10->setVisible(visible);
}

void TForm1::enableRunButton()
{
    btnRun->setEnabled(true);
}

void TForm1::showStatisticsUrl(const QString &text)
{
    Label2->setText(text);
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

void TForm1::PlotSample(bool addPoints)
{
    m_graphs->PlotSample(addPoints);
    if (addPoints)
        ++m_samplesTaken;
}

void TForm1::CaptureSample()
{
    // The capture rules come with the image capture.
}

void TForm1::TraySample()
{
    // The tray icon comes with its own part.
}

void TForm1::WebImageSample()
{
    // The web image comes with the web image server.
}

void TForm1::LogSample()
{
    if (m_settings.log)
        m_log.writeLine(m_settings.logFile, m_sample.logLine);
}

void TForm1::StatusSample()
{
    // The log and capture folder sizes come with the status bar.
}

// --- GraphHost -----------------------------------------------------------------

bool TForm1::isRunning() const
{
    return m_cycle->runState() == RunState::Running;
}

void TForm1::pauseSampling()
{
    m_cycle->btnStopClick();
    runStateChanged();
}

void TForm1::startSampling()
{
    m_cycle->btnRunClick();
    runStateChanged();
}

void TForm1::holdSampling()
{
    m_cycle->graphMouseDown();
}

void TForm1::releaseSampling()
{
    m_cycle->graphMouseUp();
}

void TForm1::setSampleSeconds(int seconds)
{
    if (m_cycle)
        m_cycle->setSampleSeconds(seconds);
}

void TForm1::showAdvancedTab()
{
    PageControl1->setCurrentIndex(6);
}
