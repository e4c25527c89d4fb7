// A settings file edited by hand, with the same hostile text in every key:
// the main window and every dialog open on it, sampling goes on, and the
// file saved on closing loads again and saves the same.
#include "base/settings_schema.h"
#include "shell/windows/image_viewer.h"
#include "shell/windows/line_events_window.h"
#include "shell/windows/maintenance_window.h"
#include "shell/windows/more_advanced_settings_dialog.h"
#include "shell/windows/setup_wizard.h"
#include "support/fixture_pages.h"
#include "support/main_window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Every key of the table set to value, section by section.
QByteArray EveryKeySetTo(const QByteArray &value)
{
    QByteArray file;
    QLatin1String section;
    for (const SettingRow &row : SettingTable()) {
        if (row.section != section) {
            section = row.section;
            file += '[' + QByteArray(section.data(), section.size()) + "]\r\n";
        }
        file += QByteArray(row.name.data(), row.name.size()) + '=' + value + "\r\n";
    }
    return file;
}

// Opens a modal dialog and closes it again as soon as it shows.
void OpenAndClose(const std::function<void()> &open)
{
    QTimer::singleShot(0, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    open();
}

class HandEditedSettingsTest : public MainWindowFixture { };

TEST_F(HandEditedSettingsTest, EveryWindowOpensOnHostileTextAndTheSaveIsStable)
{
    const struct {
        const char *name;
        QByteArray value;
    } rows[] = {
        { "empty", "" },
        { "negative", "-1" },
        { "below 32 bits", "-2147483649" },
        { "beyond 64 bits", "99999999999999999999" },
        { "hexadecimal", "0x7fffffff" },
        { "dollar hexadecimal", "$FFFFFFFF" },
        { "words", "abc def" },
        { "no time of day", "25:61:61" },
        { "100 000 digits", QByteArray(100000, '9') },
        { "broken UTF-8", "\xff\xfe\xc0\x80" },
        { "control characters", "\x01\x1b[2J\x7f" },
        { "a path upwards", "../../../../etc/passwd" },
    };
    // Relative folders in the file land here, inside the test's own folder.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir().mkpath(data.filePath(QStringLiteral("cwd"))));
    QDir::setCurrent(data.filePath(QStringLiteral("cwd")));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();

    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(data.writeFile(QStringLiteral("linewarden.ini"), EveryKeySetTo(row.value)));
        open(defaults(), false);
        window->setTrimErrorReport([](const QString &) {});
        view->complete(FakeDocument(view->navigations.isEmpty() ? QStringLiteral("http://192.168.1.254/")
                                                                : view->navigations.last().url,
            FixturePage(QStringLiteral("hub-a-statistics.html"))));
        if (window->btnRun->isEnabled())
            window->btnRun->click();

        OpenAndClose([this] { window->btnMaintenanceClick(TForm5::Opener::Menu); });
        OpenAndClose([this] { window->btnAdvancedClick(); });
        OpenAndClose([this] { window->mnuLineEventsClick(); });
        OpenAndClose([this] { window->btnViewCapClick(); });
        {
            TForm4 wizard(*window);
            wizard.show();
            QApplication::processEvents();
            wizard.Button1->click();
        }
        EXPECT_TRUE(window->frameGeometry().intersects(screen));
        window->closeWithoutQuestion();
        QApplication::processEvents();

        Settings first = saved();
        const QByteArray firstSave = data.readFile(QStringLiteral("linewarden.ini"));
        ASSERT_FALSE(firstSave.isEmpty());
        ASSERT_TRUE(first.SaveIni(iniPath()));
        EXPECT_EQ(data.readFile(QStringLiteral("linewarden.ini")), firstSave);
    }
    QDir::setCurrent(previous);
}

} // namespace
