#pragma once

#include "shell/main_window.h"
#include "shell/main_window_settings.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <memory>

// The main window over the fake browser view, with its own data folder and
// clock, as the window tests open it.
class MainWindowFixture : public ::testing::Test {
protected:
    // Writes the settings file (unless told not to), creates the window and
    // shows it.
    void open(const MainWindowSettings &settings, bool withSettingsFile = true);

    QString iniPath() const { return data.filePath(QStringLiteral("linewarden.ini")); }

    TempDataDir data;
    FakeClock clock;
    FakeBrowserView *view = nullptr; // owned by the window
    std::unique_ptr<TForm1> window;
};
