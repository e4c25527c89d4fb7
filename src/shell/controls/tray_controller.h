#pragma once

#include <QImage>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QCheckBox;
class QMenu;
class QTimer;
class QWidget;

// The tray icon that stands in for the main window while it is minimised to
// the tray, and the picture it shares with the program's own icon. With
// "Minimize to System Tray" on, minimising the window hides it and shows the
// icon; a click on the icon or "Restore Linewarden" brings the window back
// and removes the icon; "Close Linewarden" closes the window the usual way.
// On a desktop without a tray the window just minimises: hidden, with no
// icon, it could never be brought back.
class TrayController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayController)

public:
    TrayController(QWidget *window, const QLocale &locale,
        bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable());
    ~TrayController() override;

    // A new picture for the program and the tray, and the tooltip to go
    // with it; a null picture keeps the previous one.
    void showIcon(const QImage &icon, const QString &tooltip);

    // A message beside the tray icon, where the desktop shows no
    // notifications of its own. While the window is not in the tray the
    // icon shows for the message and goes again after it; without a tray
    // nothing shows.
    void showMessage(const QString &title, const QString &text);

    void mnuRestoreClick();
    void mnuCloseClick();

    // The icon shows (the window is minimised to the tray).
    bool iconShowing() const;
    // Whether the desktop has a tray, as found at start; tests choose.
    void setTrayAvailable(bool available) { m_trayAvailable = available; }

    QCheckBox *cbMinimize = nullptr; // for the Advanced tab
    QSystemTrayIcon *TrayIcon = nullptr;
    QMenu *TrayPopup = nullptr;
    QAction *mnuRestore = nullptr;
    QAction *mnuClose = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void minimised();
    void TrayIconClick(QSystemTrayIcon::ActivationReason reason);

    void messageOver();

    QWidget *m_window = nullptr;
    bool m_trayAvailable = false;
    QTimer *m_messageTimer = nullptr; // child of this
    bool m_iconForMessage = false; // the icon shows only for a message
};
