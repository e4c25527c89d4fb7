#include "shell/windows/first_run_trigger.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Without a settings file the wizard is asked for 750 ms after the window
// is shown or becomes active, whichever comes first, and once; a screen
// without a window manager shows the window but never activates it.
TEST(FirstRunTrigger, ShowOrActivationArmsTheWizardOnce)
{
    const struct {
        const char *name;
        std::vector<QEvent::Type> events;
        bool fileExists;
        bool wizardShowing;
        bool armed;
    } cases[] = {
        { "shown, never activated", { QEvent::Show }, false, false, true },
        { "activated", { QEvent::WindowActivate }, false, false, true },
        { "shown, then activated", { QEvent::Show, QEvent::WindowActivate }, false, false, true },
        { "activated, then shown", { QEvent::WindowActivate, QEvent::Show }, false, false, true },
        { "settings file exists", { QEvent::Show, QEvent::WindowActivate }, true, false, false },
        { "wizard showing", { QEvent::Show, QEvent::WindowActivate }, false, true, false },
        { "hidden, deactivated", { QEvent::Hide, QEvent::WindowDeactivate }, false, false, false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QObject window;
        auto *trigger = new FirstRunTrigger(
            window, { [&c] { return c.fileExists; }, [&c] { return c.wizardShowing; } });
        int wanted = 0;
        QObject::connect(trigger, &FirstRunTrigger::wizardWanted, trigger, [&wanted] { ++wanted; });
        for (const QEvent::Type type : c.events) {
            QEvent event(type);
            QCoreApplication::sendEvent(&window, &event);
        }
        EXPECT_EQ(trigger->isArmed(), c.armed);
        EXPECT_EQ(trigger->Timer4->interval(), 750);
        // Timer4 runs out.
        if (trigger->isArmed())
            trigger->Timer4Timer();
        EXPECT_FALSE(trigger->isArmed());
        EXPECT_EQ(wanted, c.armed ? 1 : 0);
    }
}

} // namespace
