#include "shell/controls/log_controls.h"

#include "base/settings.h"
#include "base/settings_bindings.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The log controls in a window of their own, their dialogs answered here.
class LogControlsTest : public ::testing::Test {
protected:
    LogControlsTest()
        : settings(SettingsContext { data.path(), nullptr, QRect(), QLocale::c() }),
          controls(settings, data.path(), &window)
    {
        LogControls::Desktop desktop;
        desktop.chooseLogFile = [this](const QString &folder, const QString &name) {
            proposals << folder + u'|' + name;
            return chosen;
        };
        desktop.tell = [this](const QString &text) { told << text; };
        desktop.open = [this](const QString &path) { opened << path; };
        controls.setDesktop(desktop);
        controls.bindSettings(bindings);
        bindings.applyInLoadOrder();
    }

    TempDataDir data;
    QWidget window;
    Settings settings;
    SettingsBindings bindings;
    LogControls controls;
    QString chosen;
    QStringList proposals;
    QStringList told;
    QStringList opened;
};

TEST_F(LogControlsTest, StartLoggingAsksForAFileOnlyWhereItsFolderIsMissing)
{
    // The default log lies in the program's folder, which exists.
    controls.mnuStartLogClick();
    EXPECT_TRUE(settings.flag(SettingKey::cbLog));
    EXPECT_TRUE(proposals.isEmpty());
    controls.configureMenuOpening();
    EXPECT_FALSE(controls.mnuStartLog->isVisible());
    EXPECT_TRUE(controls.mnuStopLog->isVisible());
    controls.mnuStopLogClick();
    EXPECT_FALSE(controls.cbLog->isChecked());

    // A missing folder: the dialog, proposing the box's file name; Cancel
    // changes nothing, a chosen path is taken and logging starts.
    controls.edLog->setText(data.filePath(QStringLiteral("gone/mylog.txt")));
    controls.mnuStartLogClick();
    EXPECT_FALSE(controls.cbLog->isChecked());
    chosen = data.filePath(QStringLiteral("chosen.txt"));
    controls.mnuStartLogClick();
    EXPECT_EQ(proposals, QStringList(2, data.path() + QStringLiteral("|mylog.txt")));
    EXPECT_EQ(settings.text(SettingKey::LogFile), chosen);
    EXPECT_TRUE(controls.cbLog->isChecked());

    // Browse proposes "Log.txt" for an empty box and never switches logging on.
    controls.cbLog->setChecked(false);
    controls.edLog->clear();
    controls.btnBrowseLogClick();
    EXPECT_EQ(proposals.constLast(), data.path() + QStringLiteral("|Log.txt"));
    EXPECT_FALSE(controls.cbLog->isChecked());
}

// "Start Logging" starts at once only where the box's folder part exists;
// otherwise it asks where, and Cancel leaves logging off.
TEST_F(LogControlsTest, StartLoggingAsksWhereUnlessTheFolderPartExists)
{
    const struct {
        QString text;
        bool asks;
    } cases[] = {
        { data.filePath(QStringLiteral("log.txt")), false },
        { data.path() + QStringLiteral("/"), false }, // the folder exists, the file is named later
        { QStringLiteral("log.txt"), true }, // a bare name: no folder to log into
        { QStringLiteral("/log.txt"), false }, // the root folder
        { data.filePath(QStringLiteral("gone/log.txt")), true },
        { QString(), true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        controls.cbLog->setChecked(false);
        controls.edLog->setText(c.text);
        proposals.clear();
        controls.mnuStartLogClick();
        EXPECT_EQ(proposals.size(), c.asks ? 1 : 0);
        EXPECT_EQ(controls.cbLog->isChecked(), !c.asks);
        EXPECT_EQ(controls.edLog->text(), c.text);
    }
}

TEST_F(LogControlsTest, ViewLogAndTheIndicatorFollowTheFileAndTheOption)
{
    const QString log = data.filePath(QStringLiteral("log.txt"));
    EXPECT_FALSE(controls.btnLog->isEnabled());
    controls.btnLogClick();
    EXPECT_EQ(told, QStringList { QStringLiteral("No log file found.") });

    ASSERT_TRUE(data.writeFile(QStringLiteral("log.txt"), "Date/Time\r\n"));
    controls.refresh();
    EXPECT_TRUE(controls.btnLog->isEnabled());
    EXPECT_EQ(controls.edLog->toolTip(), log);
    controls.btnLogClick();
    EXPECT_EQ(opened, QStringList { log });

    // A folder is no log file to view.
    controls.edLog->setText(data.path());
    EXPECT_FALSE(controls.btnLog->isEnabled());
    controls.refresh();
    EXPECT_FALSE(controls.btnLog->isEnabled());
    controls.btnLogClick();
    EXPECT_EQ(opened, QStringList { log });
    EXPECT_EQ(told.size(), 2);

    EXPECT_TRUE(controls.Image7->isHidden());
    controls.cbLog->setChecked(true);
    EXPECT_FALSE(controls.Image7->isHidden());
}

} // namespace
