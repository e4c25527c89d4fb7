#include "shell/windows/main_window.h"

#include "base/settings.h"
#include "graphs/graph_model.h"
#include "graphs/graph_panels.h"
#include "outputs/daily_maintenance.h"
#include "outputs/graph_capture.h"
#include "sampling/browser_view.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/control_bindings.h"
#include "shell/controls/log_controls.h"
#include "shell/controls/router_access_controls.h"
#include "shell/controls/run_glyphs.h"
#include "shell/controls/status_bar.h"
#include "shell/controls/status_step.h"
#include "shell/controls/steady_label.h"
#include "shell/controls/tray_controller.h"
#include "shell/controls/web_server_controls.h"
#include "shell/program/line_monitor.h"
#include "shell/windows/image_viewer.h"
#include "shell/windows/line_events_window.h"
#include "shell/windows/more_advanced_settings_dialog.h"
#include "shell/windows/window_placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int HintRightMargin = 450;
constexpr int AdvancedTab = 6;

} // namespace

TForm1::TForm1(LineMonitor &monitor, QWidget *browserWidget, QWidget *parent)
    : QMainWindow(parent), m_monitor(monitor), m_browser(monitor.view())
{
    setWindowTitle(QStringLiteral("Linewarden"));
    setMinimumSize(kMinimumWindowSize);

    m_logControls = new LogControls(m_monitor.settings(), m_monitor.context().dataFolder, this);
    m_routerAccess = new RouterAccessControls(m_monitor.settings(), this);
    m_tray = new TrayController(this, m_monitor.settings().context().locale);
    buildTabs(browserWidget);
    buildToolbar();
    m_statusBar = new StatusBar(*statusBar(), m_monitor.cycle(), m_capture->capture(), m_monitor.settings());
    buildPageMenu(browserWidget);
    buildMainMenu();
    showWhatPartsReport();

    // The mouse wheel does nothing anywhere in the program.
    qApp->installEventFilter(this);

    bindSettings();
    m_monitor.applySettings();
    startUp();
    Form3 = new TForm3(m_capture->edCapture->text(), this);
    Form7 = new TForm7(m_monitor.settings(), m_monitor.clock(), m_monitor.graphs(), this);
    buildMaintenance();
    FormLineEvents
        = new LineEventsWindow(m_monitor.lineEvents(), m_monitor.settings(), m_monitor.clock(), this);
    KeepInStep(cbNotifyEvents, FormLineEvents->cbNotifyEvents);
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
    BindCheckBox(bindings, settings, SettingKey::SaveAxes, m_graphs->cbSaveAxes);
    BindCheckBox(bindings, settings, SettingKey::NotifyEvents, cbNotifyEvents);
    BindCheckBox(bindings, settings, SettingKey::HistoryAtStart, cbHistoryAtStart);
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
    m_monitor.graphs().startUp();
    m_webServer->fillAddressList(WebServerControls::LocalIPv4Addresses());
    Image16->setVisible(m_monitor.settings().flag(SettingKey::TrimLog));
    Image23->setVisible(m_monitor.settings().flag(SettingKey::DeleteImages));
    showReadouts(Readouts());
    Label2->clear();
    m_browser.setSilent(true);
    m_browser.ensureWindow();
    if (!m_routerAccess->cbAttemptLogin1->isChecked())
        PageControl1->setCurrentIndex(0);
    runStateChanged();
}

// What the parts report, shown; the window passes nothing on between them.
void TForm1::showWhatPartsReport()
{
    SampleCycle &cycle = m_monitor.cycle();
    connect(&cycle, &SampleCycle::runStateChanged, this, &TForm1::runStateChanged);
    connect(&cycle, &SampleCycle::navigationHintHidden, Panel9, &QWidget::hide);

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

    connect(m_graphs, &GraphPanels::advancedTabWanted, this,
        [this] { PageControl1->setCurrentIndex(AdvancedTab); });
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

void TForm1::btnAdvancedClick()
{
    Form7->ShowModal();
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

void TForm1::showStatusTexts(const StatusTexts &texts)
{
    m_statusBar->showTexts(texts);
    m_logControls->refresh();
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
    SetSteadyText(*Label20, readouts.Label20);
    SetSteadyText(*Label22, readouts.Label22);
    SetSteadyText(*Label15, readouts.Label15);
    SetSteadyText(*Label23, readouts.Label23);
    SetSteadyText(*Label25, readouts.Label25);
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
