#include "support/main_window_fixture.h"

void MainWindowFixture::open(const MainWindowSettings &settings, bool withSettingsFile)
{
    if (withSettingsFile) {
        ASSERT_TRUE(SaveMainWindowSettings(iniPath(), data.path(), settings));
    }
    MainWindowContext context;
    context.clock = &clock;
    context.dataFolder = data.path();
    context.settingsPath = iniPath();
    context.makeBrowser = [this](QWidget *) {
        auto fake = std::make_unique<FakeBrowserView>();
        view = fake.get();
        return fake;
    };
    window = std::make_unique<TForm1>(context);
    window->FormShow();
}
