#pragma once

#include "base/settings.h"
#include "shell/program/line_monitor.h"
#include "shell/windows/main_window.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/temp_data_dir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <memory>

// The line monitor and the main window over the fake browser view, with
// their own data folder and clock, put together as the desktop program does.
class MainWindowFixture : public ::testing::Test {
protected:
    // Every key at its default, for this data folder and clock.
    Settings defaults() const;
    // Writes the settings file (unless told not to), creates the window and
    // shows it.
    void open(const Settings &settings, bool withSettingsFile = true);
    // The settings file as the next run would load it.
    Settings saved() const;
    // Every key at its default on a Type A router whose statistics page is
    // already known.
    Settings typeA() const;
    // The Type A statistics page completes in the view, so many seconds
    // after the moment before.
    void completeStatisticsPage(int secondsLater = 0);

    QString iniPath() const { return data.filePath(QStringLiteral("linewarden.ini")); }
    MonitorContext context() const;

    TempDataDir data;
    FakeClock clock;
    std::unique_ptr<FakeBrowserView> ownedView;
    FakeBrowserView *view = nullptr;
    std::unique_ptr<LineMonitor> monitor;
    std::unique_ptr<TForm1> window;
};

// Whether a captured graph picture's top rows hold near-black pixels between
// two columns: the header band's text, as the graph draws nothing black there.
bool DarkIn(const QImage &picture, int left, int right);
