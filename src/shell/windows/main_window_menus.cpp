// The main window's menus: the main menu and the router page's menu, with
// the items whose work is the window's own.
#include "shell/windows/main_window.h"

#include "graphs/graph_panels.h"
#include "sampling/browser_view.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/log_controls.h"
#include "shell/program/line_monitor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

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
        m_graphs, &GraphPanels::mnuuserDefinedClick);
    // Only the start and stop items that apply show.
    connect(Configure1, &QMenu::aboutToShow, m_capture, &CaptureControls::ConfigureMenuOpened);
    connect(Configure1, &QMenu::aboutToShow, m_logControls, &LogControls::configureMenuOpening);

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    connect(help->addAction(QStringLiteral("Help...")), &QAction::triggered, this, &TForm1::helpWanted);
    help->addSeparator();
    connect(help->addAction(QStringLiteral("About...")), &QAction::triggered, this, &TForm1::aboutWanted);
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
