#include "shell/windows/first_run_trigger.h"

#include <QEvent>
#include <QTimer>

FirstRunTrigger::FirstRunTrigger(QObject &window, Checks checks)
    : QObject(&window), Timer4(new QTimer(this)), m_checks(std::move(checks))
{
    Timer4->setSingleShot(true);
    Timer4->setInterval(DelayMs);
    connect(Timer4, &QTimer::timeout, this, &FirstRunTrigger::Timer4Timer);
    window.installEventFilter(this);
}

void FirstRunTrigger::FormActivate()
{
    if (!isArmed() && !m_checks.settingsFileExists() && !m_checks.wizardShowing())
        Timer4->start();
}

void FirstRunTrigger::Timer4Timer()
{
    Timer4->stop();
    // The file may have come since the window became active.
    if (!m_checks.settingsFileExists() && !m_checks.wizardShowing())
        emit wizardWanted();
}

bool FirstRunTrigger::isArmed() const
{
    return Timer4->isActive();
}

bool FirstRunTrigger::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate))
        FormActivate();
    return QObject::eventFilter(watched, event);
}
