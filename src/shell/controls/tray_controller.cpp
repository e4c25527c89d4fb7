#include "shell/controls/tray_controller.h"

#include "outputs/icon_noise.h"
#include "outputs/tray_tooltip.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kMessageMs = 10000;

} // namespace

TrayController::TrayController(QWidget *window, const QLocale &locale, bool trayAvailable)
    : QObject(window), m_window(window), m_trayAvailable(trayAvailable)
{
    cbMinimize = new QCheckBox(QStringLiteral("Minimize to System Tray"), window);
    TrayIcon = new QSystemTrayIcon(this);
    TrayPopup = new QMenu(window);
    mnuRestore = TrayPopup->addAction(QStringLiteral("Restore Linewarden"));
    TrayPopup->addSeparator();
    mnuClose = TrayPopup->addAction(QStringLiteral("Close Linewarden"));
    TrayIcon->setContextMenu(TrayPopup);

    connect(mnuRestore, &QAction::triggered, this, &TrayController::mnuRestoreClick);
    connect(mnuClose, &QAction::triggered, this, &TrayController::mnuCloseClick);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, &TrayController::TrayIconClick);
    m_messageTimer = new QTimer(this);
    m_messageTimer->setSingleShot(true);
    connect(m_messageTimer, &QTimer::timeout, this, &TrayController::messageOver);
    window->installEventFilter(this);

    // Before the first sample: nothing measured yet.
    showIcon(IconNoise(IconMode::Run, 0, 0, locale), TrayTooltip(0, 0, locale));
}

TrayController::~TrayController()
{
    m_window->removeEventFilter(this);
}

void TrayController::showIcon(const QImage &icon, const QString &tooltip)
{
    // The platform's tray reports no pointer moving over the icon, so the
    // tooltip is kept current instead of computed on hover.
    TrayIcon->setToolTip(tooltip);
    if (icon.isNull())
        return;
    const QIcon picture(QPixmap::fromImage(icon));
    if (picture.isNull())
        return;
    // The program's icon in the task bar is its main window's. Set on the
    // window's platform window it changes that picture alone; set for the
    // whole application, every widget of every window is told of it after
    // every sample. Before the window exists the application's icon is set,
    // which the window takes when it is made.
    if (QWindow *handle = m_window->windowHandle())
        handle->setIcon(picture);
    else
        QApplication::setWindowIcon(picture);
    TrayIcon->setIcon(picture);
}

void TrayController::showMessage(const QString &title, const QString &text)
{
    if (!m_trayAvailable)
        return;
    if (!TrayIcon->isVisible()) {
        TrayIcon->show();
        m_iconForMessage = true;
    }
    TrayIcon->showMessage(title, text, QSystemTrayIcon::Information, kMessageMs);
    m_messageTimer->start(kMessageMs);
}

void TrayController::messageOver()
{
    if (!m_iconForMessage)
        return;
    m_iconForMessage = false;
    TrayIcon->hide();
}

bool TrayController::iconShowing() const
{
    return TrayIcon->isVisible();
}

bool TrayController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowStateChange && m_window->isMinimized())
        minimised();
    return QObject::eventFilter(watched, event);
}

void TrayController::minimised()
{
    if (!cbMinimize->isChecked() || !m_trayAvailable)
        return;
    m_iconForMessage = false;
    TrayIcon->show();
    // Hidden once the minimise has run its course.
    QMetaObject::invokeMethod(
        this, [this] { m_window->hide(); }, Qt::QueuedConnection);
}

void TrayController::TrayIconClick(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        mnuRestoreClick();
}

void TrayController::mnuRestoreClick()
{
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->showNormal();
    m_window->raise();
    m_window->activateWindow();
    m_iconForMessage = false;
    TrayIcon->hide();
}

void TrayController::mnuCloseClick()
{
    // Closed while hidden, the window would not end the program by itself.
    if (m_window->close())
        QCoreApplication::quit();
}
