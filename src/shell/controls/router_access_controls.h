#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;
class QWidget;
class SampleCycle;
class Settings;
class SettingsBindings;

// The router's access settings: the "Router Access" group of the Configure
// tab (address behind a padlock, router type, password with its reveal) and
// the automatic-login option, which the window places among the system
// options, with the rules that tie them together.
class RouterAccessControls final : public QObject {
    Q_OBJECT

public:
    // What the controls ask of the user; an input box and a message box
    // unless replaced (tests answer them themselves).
    struct Questions {
        // The password typed into "Password..."; nothing when cancelled.
        std::function<std::optional<QString>()> askPassword;
        std::function<void(const QString &text)> tell;
    };

    RouterAccessControls(Settings &settings, QWidget *owner);
    Q_DISABLE_COPY_MOVE(RouterAccessControls)

    void bindSettings(SettingsBindings &bindings);
    void setQuestions(Questions questions) { m_questions = std::move(questions); }
    // The looks that follow the loaded values: the password's mask, the
    // login option against the router type, the password against the login.
    void startUp();

    void Image11Click(); // unlock the address
    void Image26Click(); // lock it
    void boxType1Change();
    // A router type put in from the settings (at start, or by the setup
    // wizard): the login option, the password and its label are open only
    // for Type A. At start the login option then decides the password's.
    void typeApplied();
    void cbAttemptLogin1Click();
    void cbShowPlainClick();
    // The "Advanced" tab came into view.
    void TabSheet5Show();
    // Runs TabSheet5Show whenever page, the "Advanced" tab, comes into view:
    // chosen while the window shows, or shown with the window (at start, on
    // a stored tab, or back from the tray).
    void watchAdvancedTab(QWidget *page);
    // Gives the "Router Access" box its normal face colour back.
    void clearHighlight();
    // A press on another tab of pages does so first, before the tab changes.
    void followTabs(const QTabWidget &pages);
    // Sampling started (false) or paused (true): the type and the password
    // may change only while not sampling.
    void setSamplingControlsEnabled(bool enabled);
    // Disables the type and the password whenever cycle starts sampling and
    // enables them again when it pauses.
    void followCycle(const SampleCycle &cycle);

    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *edAddress = nullptr;
    QToolButton *Image11 = nullptr; // closed padlock
    QToolButton *Image26 = nullptr; // open padlock
    QComboBox *boxType1 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *edPassword1 = nullptr;
    QCheckBox *cbShowPlain = nullptr;
    QCheckBox *cbAttemptLogin1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setMasked(bool masked);

    Settings &m_settings;
    Questions m_questions;
    QWidget *m_advancedTab = nullptr;
};
