#pragma once

#include "shell/controls/one_message_box.h"

#include <QObject>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class Settings;
class SettingsBindings;
class WebImageServer;

// The web server's controls of the "System Options" group: cbWeb with the
// address box, ":" and the port, the web image size, the /metrics switch;
// and the toolbar's web server indicator Image3. They start and stop the
// server and show where it listens, or why it does not, in cbWeb's hint.
class WebServerControls final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WebServerControls)

public:
    // The widgets are children of owner until the window places Group (in
    // the "System Options" group) and Indicator (on the toolbar).
    WebServerControls(WebImageServer &server, Settings &settings, QWidget *owner);

    void bindSettings(SettingsBindings &bindings);
    // After the settings are applied: the machine's local IPv4 addresses and
    // then "127.0.0.1" become the address list; with exactly one local
    // address, that one is selected and replaces the box's text.
    void fillAddressList(const QStringList &localAddresses);
    // The machine's IPv4 addresses, loopback left out.
    static QStringList LocalIPv4Addresses();

    // Starts the server when cbWeb is checked and it is not listening,
    // stops it when unchecked; then the address and port boxes are enabled
    // exactly while it does not listen, Image3 shows exactly while cbWeb is
    // checked and it listens, and the hint tells how it stands.
    void cbWebClick();
    // The web folder of the settings answers the server's next request, also
    // while it listens.
    void followWebFolder();
    // Leaving the address box: a text that is not a valid IPv4 address is
    // reported (and stays as typed).
    void boxWebAddressExit();
    // A failed web image, reported without stacking boxes.
    void showImageError(const QString &message);
    bool imageErrorShowing() const { return m_imageError.isOpen(); }
    bool addressErrorShowing() const { return m_addressError.isOpen(); }

    QWidget *Group = nullptr;
    QWidget *Indicator = nullptr;
    QCheckBox *cbWeb = nullptr;
    QComboBox *boxWebAddress = nullptr;
    QLabel *Label26 = nullptr;
    QLineEdit *edPort = nullptr;
    QLineEdit *edWidth = nullptr;
    QLineEdit *edHeight = nullptr;
    QCheckBox *cbMetrics = nullptr;
    QLabel *Image3 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildGroup(QWidget *owner);
    void buildIndicator(QWidget *owner);

    WebImageServer &m_server;
    Settings &m_settings;
    // The address box and its edit line as the focus filter watches them.
    QObject *m_watchedBox = nullptr;
    QObject *m_watchedEdit = nullptr;
    OneMessageBox m_imageError;
    OneMessageBox m_addressError;
};
