#pragma once

#include <QObject>

#include <functional>

class QTimer;

// Opens the setup wizard by itself while there is no settings file: each
// time the watched window is shown or becomes active and the wizard is not
// showing, Timer4 starts, and 750 ms later it asks for the wizard. Showing
// and activation come together as a rule; whichever comes first starts the
// timer and the other leaves it running, so the wizard is asked for once.
// A screen without a window manager never activates the window; the show
// is enough there. Closing the wizard makes the window active again, so a
// cancelled wizard comes back until one finishes and the settings file
// exists.
class FirstRunTrigger final : public QObject {
    Q_OBJECT

public:
    struct Checks {
        std::function<bool()> settingsFileExists;
        std::function<bool()> wizardShowing;
    };

    FirstRunTrigger(QObject &window, Checks checks);
    Q_DISABLE_COPY_MOVE(FirstRunTrigger)

    static constexpr int DelayMs = 750;

    // The window was shown or became the active one.
    void FormActivate();
    void Timer4Timer();
    bool isArmed() const;

    QTimer *Timer4 = nullptr; // child of this

signals:
    void wizardWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Checks m_checks;
};
