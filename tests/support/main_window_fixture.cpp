#include "support/main_window_fixture.h"

#include "shell/program/desktop_pipeline.h"
#include "shell/program/desktop_wiring.h"
#include "support/fixture_pages.h"

MonitorContext MainWindowFixture::context() const
{
    MonitorContext context;
    context.clock = &clock;
    context.dataFolder = data.path();
    context.settingsPath = iniPath();
    context.primaryScreen = QRect(0, 0, 1920, 1080);
    return context;
}

Settings MainWindowFixture::defaults() const
{
    return Settings(SettingsContextOf(context()));
}

Settings MainWindowFixture::saved() const
{
    Settings settings = defaults();
    settings.Load(iniPath());
    return settings;
}

Settings MainWindowFixture::typeA() const
{
    Settings settings = defaults();
    settings.setInteger(SettingKey::Type, 0);
    settings.setText(SettingKey::HHAUrl, QStringLiteral("/index.cgi?active_page=9118&"));
    return settings;
}

void MainWindowFixture::completeStatisticsPage(int secondsLater)
{
    clock.advanceSeconds(secondsLater);
    view->complete(FakeDocument(StatsDocumentUrl, FixturePage(QStringLiteral("hub-a-statistics.html"))));
}

void MainWindowFixture::open(const Settings &settings, bool withSettingsFile)
{
    if (withSettingsFile) {
        ASSERT_TRUE(settings.SaveIni(iniPath()));
    }
    window.reset();
    monitor.reset();
    ownedView = std::make_unique<FakeBrowserView>();
    view = ownedView.get();
    monitor = std::make_unique<LineMonitor>(context(), *view);
    window = std::make_unique<TForm1>(*monitor, nullptr);
    WireDesktopParts(*window);
    // "Prompt before closing" is on by default: the tests answer Yes.
    window->setCloseQuestion([](const QPoint &) { return true; });
    AddDesktopSteps(*monitor, *window);
    window->FormShow();
}

bool DarkIn(const QImage &picture, int left, int right)
{
    for (int x = left; x < right && x < picture.width(); ++x)
        for (int y = 1; y < 14; ++y) {
            const QRgb pixel = picture.pixel(x, y);
            if (qRed(pixel) < 90 && qGreen(pixel) < 90 && qBlue(pixel) < 90)
                return true;
        }
    return false;
}
