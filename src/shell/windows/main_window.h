#pragma once

#include "sampling/line_sample.h"
#include "shell/windows/maintenance_window.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

#include <functional>

class BrowserView;
class CaptureControls;
class GraphPanels;
class LineEventsWindow;
class LineMonitor;
class LogControls;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMessageBox;
class QPushButton;
class QTabWidget;
class QToolButton;
class RouterAccessControls;
class StatusBar;
class WebServerControls;
class TrayController;
struct StatusTexts;
class TForm3;
class TForm7;

// The main window: toolbar with Start and Pause and the read-outs, the tabs
// with the router page and the graphs, the status bar. It places the parts'
// controls, binds its own, and shows what the line monitor's parts report;
// the run states, the router pages and the per-sample work are theirs, and
// the parts follow one another where the program is put together
// (WireDesktopParts).
class TForm1 final : public QMainWindow {
    Q_OBJECT

public:
    // browserWidget is the browser view's widget, placed on the "Home Hub"
    // tab; none for a view without one.
    TForm1(LineMonitor &monitor, QWidget *browserWidget, QWidget *parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    LineMonitor &monitor() { return m_monitor; }
    GraphPanels &graphs() { return *m_graphs; }
    LogControls &logControls() { return *m_logControls; }
    RouterAccessControls &routerAccess() { return *m_routerAccess; }
    WebServerControls &webServer() { return *m_webServer; }
    CaptureControls &captureControls() { return *m_capture; }
    TrayController &tray() { return *m_tray; }
    StatusBar &statusPanels() { return *m_statusBar; }

    QTabWidget *PageControl1 = nullptr;
    QToolButton *btnRun = nullptr;
    QToolButton *btnStop = nullptr;
    QCheckBox *cbPrompt = nullptr;
    QCheckBox *cbNotifyEvents = nullptr; // in step with the Line Events window's
    QCheckBox *cbHistoryAtStart = nullptr; // the graphs start with the last day of the history
    QLabel *Label20 = nullptr;
    QLabel *Label22 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label23 = nullptr;
    QLabel *Label25 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Panel4 = nullptr;
    QLabel *Panel9 = nullptr;
    QFrame *Panel10 = nullptr;
    QGroupBox *GraphsGroup = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QMenu *Edit1 = nullptr;
    QAction *mnuCopy = nullptr; // "Copy <graph> Graph Image"
    QAction *mnuCopyPage = nullptr;
    QAction *mnuSelectAll = nullptr;
    QPushButton *btnAdvanced = nullptr;
    TForm3 *Form3 = nullptr; // the image viewer, child of this
    TForm7 *Form7 = nullptr; // "More Advanced Settings", child of this
    TForm5 *Form5 = nullptr; // "Maintenance", child of this
    // The "Maintenance" buttons of the "Log" and "Graphs" groups with the
    // tick icons that show their daily job is on, and the one of "System
    // Options"; the File menu's "Manage File Sizes...".
    QPushButton *btnLogMaintain = nullptr;
    QLabel *Image16 = nullptr;
    QPushButton *btnGraphmaintain = nullptr;
    QLabel *Image23 = nullptr;
    QPushButton *btnMaintenance = nullptr;
    QAction *mnuMaintain = nullptr;
    LineEventsWindow *FormLineEvents = nullptr; // "Line Events", child of this
    QAction *mnuLineEvents = nullptr;
    QMenu *File1 = nullptr;
    QMenu *Configure1 = nullptr;

    // Writes the settings to the settings file.
    bool SaveIni();
    // The initial navigation, run whenever the window is shown.
    void FormShow();
    // The Edit menu opens: its items follow the selected tab.
    void Edit1Click();
    // "Copy" and "Select All" of the router-page menu.
    void mnuCopyPageClick();
    void mnuSelectAllPageClick();
    // Opens the router-page menu at a position of the browser's widget.
    void showPageMenu(const QPoint &globalPos);
    // The status bar's log and capture folder texts.
    void showStatusTexts(const StatusTexts &texts);
    // "Advanced+": the more advanced settings, centred over the window.
    void btnAdvancedClick();
    // The maintenance window, centred over this one.
    void btnMaintenanceClick(TForm5::Opener opener);
    // "View": the image viewer on the capture folder, 110 pixels down.
    void btnViewCapClick();
    // The image viewer, modal, on the capture folder named now, at this
    // window's left edge and belowTop pixels below its top.
    void showImageViewer(int belowTop);
    // File "Line Events...": the line's events, centred over the window.
    void mnuLineEventsClick();

    // The close path, asking first only when mayAsk and "Prompt before
    // closing" is on; false when the user cancelled. Ending from outside
    // (a termination signal, the end of the session) comes here. Once the
    // close goes ahead the program ends, hidden in the tray too. Asked
    // while a close is already under way (its question or a message box
    // open), the open box goes away and that close goes ahead unasked.
    bool requestClose(bool mayAsk);
    void closeWithoutQuestion() { requestClose(false); }
    // What asks "Confirm: Close Linewarden?" at a screen position; true for
    // Yes. A message box unless replaced (tests answer it themselves).
    using CloseQuestion = std::function<bool(const QPoint &position)>;
    void setCloseQuestion(CloseQuestion question) { m_closeQuestion = std::move(question); }
    // What tells the user that a log trim failed, with the failure's text;
    // an error message box unless replaced (tests see the text themselves).
    using TrimErrorReport = std::function<void(const QString &text)>;
    void setTrimErrorReport(TrimErrorReport report) { m_trimErrorReport = std::move(report); }

signals:
    // The close goes ahead (nobody can cancel it any more): what exists only
    // while the program runs, such as the written-out user guide, goes now.
    void closing();
    // The close sequence is over: the program ends.
    void closed();
    // "Manage File Sizes..." of the File menu: opens the maintenance window.
    void maintenanceWanted();
    // Menu items whose windows live elsewhere: the setup wizard, the user
    // guide and About.
    void setupWizardWanted();
    void helpWanted();
    void aboutWanted();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolbar();
    void buildTabs(QWidget *browserWidget);
    QWidget *buildHomeHubTab(QWidget *browserWidget);
    QWidget *buildConfigureTab();
    QWidget *buildAdvancedTab();
    void buildPageMenu(QWidget *browserWidget);
    void buildMainMenu();
    void showWhatPartsReport();
    void bindSettings();
    void startUp();

    void runStateChanged();
    void showReadouts(const Readouts &readouts);
    void showNavigationHint(bool show);
    void showStatisticsPage(const QString &url);
    void placeWindow();
    QRect storedGeometry() const;
    QPoint closeQuestionPosition() const;
    bool askToClose(const QPoint &position);
    void tellSaveFailed();
    // Shows a box of the close sequence modally; a close requested from
    // outside meanwhile dismisses it. The box's answer.
    int execCloseBox(QMessageBox &box);
    QWidget *maintenanceRow(const QString &label, QPushButton *&button, QLabel **tick, QWidget *parent);
    void buildMaintenance();
    void reportTrimError(const QString &text);

    LineMonitor &m_monitor;
    BrowserView &m_browser;
    GraphPanels *m_graphs = nullptr; // child of this
    LogControls *m_logControls = nullptr; // child of this
    RouterAccessControls *m_routerAccess = nullptr; // child of this
    WebServerControls *m_webServer = nullptr; // child of this
    CaptureControls *m_capture = nullptr; // child of this
    TrayController *m_tray = nullptr; // child of this
    StatusBar *m_statusBar = nullptr; // child of the status bar
    QWidget *m_browserHost = nullptr;
    QWidget *m_toolbar = nullptr;
    QPixmap m_toolbarPicture;
    CloseQuestion m_closeQuestion;
    TrimErrorReport m_trimErrorReport;
    bool m_askBeforeClosing = true;
    bool m_closing = false; // the close sequence runs
    bool m_endRequested = false; // ended from outside during the close sequence
    QPointer<QMessageBox> m_closeBox; // the close sequence's box while open
    bool m_closed = false;
};
