#include "outputs/daily_maintenance.h"
#include "shell/controls/log_controls.h"
#include "shell/windows/maintenance_window.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The maintenance window the main window created, with trimming on and the
// deletion off; the trim errors are collected instead of shown.
class MaintenanceWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Settings settings = defaults();
        settings.setFlag(SettingKey::TrimLog, true);
        settings.setText(SettingKey::TrimTime, QStringLiteral("10:00"));
        open(settings);
        window->setTrimErrorReport([this](const QString &text) { errors << text; });
        dialog = window->Form5;
    }

    Settings &settings() { return monitor->settings(); }

    TForm5 *dialog = nullptr;
    QStringList errors;
};

TEST_F(MaintenanceWindowTest, OpensModallyCentredFromEveryWayWithTheOpenersGroupWhite)
{
    window->show();
    window->move(100, 60);
    const struct {
        const char *name;
        std::function<void()> open;
        bool logWhite;
        bool imagesWhite;
    } rows[] = {
        { "Log group", [&] { window->btnLogMaintain->click(); }, true, false },
        { "Graphs group", [&] { window->btnGraphmaintain->click(); }, false, true },
        { "System Options", [&] { window->btnMaintenance->click(); }, false, false },
        { "File menu", [&] { window->mnuMaintain->trigger(); }, false, false },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        bool shown = false;
        QTimer::singleShot(0, dialog, [&] {
            shown = QApplication::activeModalWidget() == dialog;
            EXPECT_LE(
                (dialog->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(), 1);
            EXPECT_EQ(dialog->GroupBox1->autoFillBackground(), row.logWhite);
            EXPECT_EQ(dialog->GroupBox2->autoFillBackground(), row.imagesWhite);
            dialog->Button2->click();
        });
        row.open();
        EXPECT_TRUE(shown);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_FALSE(dialog->GroupBox1->autoFillBackground() || dialog->GroupBox2->autoFillBackground());
    }
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Linewarden - Maintenance"));
}

TEST_F(MaintenanceWindowTest, EveryChangeIsStoredAtOnceAndTheTicksFollow)
{
    // The ticks show the stored jobs from the start.
    EXPECT_FALSE(window->Image16->isHidden());
    EXPECT_TRUE(window->Image23->isHidden());
    dialog->show();
    EXPECT_FALSE(dialog->Label3->isVisibleTo(dialog));

    dialog->cbTrimLog->setChecked(false);
    dialog->spTrimLines->setValue(250);
    dialog->DateTimepicker1->setTime(QTime(23, 45, 30));
    dialog->cbDeleteImages->setChecked(true);
    dialog->spDays->setValue(9);
    dialog->DeleteTimePicker->setTime(QTime(6, 5));
    EXPECT_FALSE(settings().flag(SettingKey::TrimLog));
    EXPECT_EQ(settings().integer(SettingKey::TrimLines), 250);
    EXPECT_EQ(settings().text(SettingKey::TrimTime), QStringLiteral("23:45"));
    EXPECT_TRUE(settings().flag(SettingKey::DeleteImages));
    EXPECT_EQ(settings().integer(SettingKey::DeleteDays), 9);
    EXPECT_EQ(settings().time(SettingKey::DeleteTime), QTime(6, 5));
    EXPECT_TRUE(window->Image16->isHidden());
    EXPECT_FALSE(window->Image23->isHidden());
    EXPECT_TRUE(dialog->Label3->isVisibleTo(dialog));

    // Closing stores the controls again, whatever the settings came to hold.
    settings().setInteger(SettingKey::DeleteDays, 1);
    settings().setFlag(SettingKey::TrimLog, true);
    dialog->Button2->click();
    EXPECT_EQ(settings().integer(SettingKey::DeleteDays), 9);
    EXPECT_FALSE(settings().flag(SettingKey::TrimLog));
    EXPECT_EQ(saved().integer(SettingKey::TrimLines), 1000); // the file itself waits for SaveIni
}

TEST_F(MaintenanceWindowTest, InformationTextNamesThePrefixAndTheFolder)
{
    settings().setText(SettingKey::Capture, QStringLiteral("/pics"));
    settings().setInteger(SettingKey::DeleteDays, 3);
    dialog->show();
    EXPECT_EQ(dialog->Label3->text(),
        QStringLiteral(
            "ALL .jpg files with the prefix: 'Wardn-' older than 3 days will be deleted from folder: /pics"));
    dialog->spDays->setValue(4);
    EXPECT_EQ(dialog->Label3->text(),
        QStringLiteral(
            "All .jpg files with the prefix: 'Wardn-' older than 4 days will be deleted from folder: /pics"));
    dialog->Button2->click();

    settings().setFlag(SettingKey::AddPrefix, false);
    dialog->show();
    EXPECT_EQ(dialog->Label3->text(),
        QStringLiteral("All .jpg files older than 4 days will be deleted from folder: /pics"));
    dialog->Button2->click();
}

// A hand-edited time that does not read schedules nothing. The pickers show
// the clock's time, but showing and closing the window stores neither: no
// job runs at that minute. A time the user sets is stored.
TEST_F(MaintenanceWindowTest, AnUnreadableStoredTimeStaysUntilTheUserSetsOne)
{
    settings().setText(SettingKey::TrimTime, QStringLiteral("half past"));
    settings().setTime(SettingKey::DeleteTime, QTime());
    settings().setFlag(SettingKey::DeleteImages, true);
    settings().setInteger(SettingKey::TrimLines, 1);
    const QByteArray log = "Head\r\n----\r\nd1\r\nd2\r\nd3\r\n";
    ASSERT_TRUE(data.writeFile(QStringLiteral("log.txt"), log));
    const QString image = QStringLiteral("Capture/Wardn-old.jpg");
    ASSERT_TRUE(data.writeFile(image, "jpeg"));
    QFile old(data.filePath(image));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(clock.now().addDays(-30), QFileDevice::FileModificationTime));

    dialog->show();
    EXPECT_EQ(dialog->DateTimepicker1->time().toString(u"HH:mm"), QStringLiteral("10:00"));
    dialog->Button2->click();
    EXPECT_EQ(settings().text(SettingKey::TrimTime), QStringLiteral("half past"));
    EXPECT_FALSE(settings().time(SettingKey::DeleteTime).isValid());
    monitor->maintenance().DailyTimerTimer();
    EXPECT_EQ(data.readFile(QStringLiteral("log.txt")), log);
    EXPECT_TRUE(QFileInfo::exists(data.filePath(image)));

    dialog->show();
    dialog->DateTimepicker1->setTime(QTime(21, 30));
    dialog->DeleteTimePicker->setTime(QTime(22, 15));
    dialog->Button2->click();
    EXPECT_EQ(settings().text(SettingKey::TrimTime), QStringLiteral("21:30"));
    EXPECT_EQ(settings().time(SettingKey::DeleteTime), QTime(22, 15));
}

// From the daily timer and from "Trim Now" alike, the user sees why.
TEST_F(MaintenanceWindowTest, ATrimThatFailsIsToldWithItsText)
{
    window->logControls().edLog->setText(data.path()); // a folder cannot be trimmed
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 30)));
    monitor->maintenance().DailyTimerTimer();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_GT(errors[0].size(), data.path().size() + 2);
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral(": ") + data.path())) << errors[0].toStdString();

    dialog->show();
    dialog->btnTrimNow->click();
    EXPECT_EQ(errors.size(), 2);
    dialog->Button2->click();
}

} // namespace
