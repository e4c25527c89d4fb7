#include "graphs/graph_model.h"
#include "shell/controls/router_access_controls.h"
#include "shell/windows/main_window.h"
#include "shell/windows/more_advanced_settings_dialog.h"
#include "shell/windows/settings_prompts.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the dialog's questions at once and remembers them.
class FakePrompts final : public SettingsPrompts {
public:
    bool confirmWarning(QWidget *, const QPoint &topLeft, const QString &text) override
    {
        warnings << text;
        warningPlaces << topLeft;
        return answerYes;
    }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return QString(); }

    bool answerYes = true;
    QStringList warnings;
    QList<QPoint> warningPlaces;
};

const QString PrefixWarning
    = QStringLiteral("Un-checking this checkbox will prevent Linewarden from distinuishing JPG images\n"
                     "captured by Linewarden from any other JPG images in the Capture folder.\n\n"
                     "This will result in ALL 'outdated' JPG images in the Capture folder being deleted \n"
                     "during maintenance.\n\nContinue?");
const QString RecycleWarning
    = QStringLiteral("If this checkbox is unchecked, Linewarden will delete the scheduled\n"
                     "JPG images permanently and irretrievably during maintenance.\n\nContinue?");

QVariant ValueOf(const Settings &settings, SettingKey key)
{
    switch (RowOf(key).type) {
    case SettingType::Integer:
        return settings.integer(key);
    case SettingType::Boolean:
        return settings.flag(key);
    default:
        return settings.text(key);
    }
}

// Every control of the dialog given a value unlike its default, and the
// value its setting then holds.
void ChangeEveryControl(TForm7 &d)
{
    d.edLogDateTime->setText(QStringLiteral("hh:nn"));
    d.sptabSize->setValue(12);
    d.edTypeAUrl->setText(QStringLiteral("/a.cgi"));
    d.edTypeBUrl->setText(QStringLiteral("/b.html"));
    d.cbDateStamp->setChecked(false);
    d.edImageDateTime->setText(QStringLiteral("yyyy"));
    d.cbPrefix->setChecked(false);
    d.edImagePrefix->setText(QStringLiteral("Hub-"));
    d.cbRecycle->setChecked(false);
    d.edWebFolder->setText(QStringLiteral("/srv/web"));
    d.spDelay->setValue(45);
    d.cbMon1->setChecked(true);
}

const std::pair<SettingKey, QVariant> EveryControlChanged[] = {
    { SettingKey::LogDateFormat, QStringLiteral("hh:nn") },
    { SettingKey::LogTab, 12 },
    { SettingKey::HHAUrl, QStringLiteral("/a.cgi") },
    { SettingKey::HHBUrl, QStringLiteral("/b.html") },
    { SettingKey::DateStamp, false },
    { SettingKey::ImageDateFormat, QStringLiteral("yyyy") },
    { SettingKey::AddPrefix, false },
    { SettingKey::ImagePrefix, QStringLiteral("Hub-") },
    { SettingKey::Recycle, false },
    { SettingKey::WebFolder, QStringLiteral("/srv/web") },
    { SettingKey::PauseDelay, 45 },
    { SettingKey::Monitor1, true },
};

// The dialog the main window created, on a Type A router, answering through
// the fake prompts. It takes the settings at every opening.
class MoreAdvancedSettingsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Settings settings = defaults();
        settings.setInteger(SettingKey::Type, 0);
        open(settings);
        dialog = window->Form7;
        dialog->setPrompts(prompts);
    }

    Settings &settings() { return monitor->settings(); }

    FakePrompts prompts;
    TForm7 *dialog = nullptr;
};

TEST_F(MoreAdvancedSettingsTest, AdvancedOpensTheSixTabsModallyCentredOverTheWindow)
{
    window->move(120, 80);
    bool shown = false;
    QTimer::singleShot(0, dialog, [&] {
        shown = QApplication::activeModalWidget() == dialog;
        EXPECT_LE((dialog->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(), 1);
        dialog->Button2->click();
    });
    window->btnAdvanced->click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Linewarden - More Advanced Settings"));
    EXPECT_EQ(dialog->size(), QSize(664, 375));
    const QStringList tabs
        = { QStringLiteral("Logging"), QStringLiteral("Home Hub Access"), QStringLiteral("Graphs"),
              QStringLiteral("Captured Images"), QStringLiteral("Web Server"), QStringLiteral("System") };
    ASSERT_EQ(dialog->PageControl1->count(), tabs.size());
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(dialog->PageControl1->tabText(i), tabs[i]);
}

// Cancel in the warning checks the box again, Yes leaves it clear; cleared
// and the dialog cancelled, the next opening shows it checked, unasked.
TEST_F(MoreAdvancedSettingsTest, ClearingPrefixOrRecycleAsksFirstAndCancelForgetsIt)
{
    const struct {
        QCheckBox *TForm7::*box;
        QString warning;
    } rows[] = { { &TForm7::cbPrefix, PrefixWarning }, { &TForm7::cbRecycle, RecycleWarning } };
    for (const auto &row : rows) {
        QCheckBox *box = dialog->*row.box;
        prompts = FakePrompts();
        dialog->show();
        prompts.answerYes = false;
        box->click();
        EXPECT_TRUE(box->isChecked());
        ASSERT_EQ(prompts.warnings.size(), 1);
        EXPECT_EQ(prompts.warnings[0], row.warning);
        EXPECT_EQ(prompts.warningPlaces[0], dialog->pos() + QPoint(100, 50));

        prompts.answerYes = true;
        box->click();
        EXPECT_FALSE(box->isChecked());
        dialog->Button2->click();
        dialog->show();
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(prompts.warnings.size(), 2);
        dialog->Button2->click();
    }
}

TEST_F(MoreAdvancedSettingsTest, ExamplesShowTheMomentOfOpeningAndOfTyping)
{
    settings().setText(SettingKey::LogDateFormat, QStringLiteral("yyyymmdd-hhmmss"));
    clock.set(QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7)));
    dialog->show();
    EXPECT_EQ(dialog->Label10->text(), QStringLiteral("20270304-050607"));

    clock.advanceSeconds(3);
    dialog->edImageDateTime->setText(QStringLiteral("yyyymmdd-hhmmss "));
    EXPECT_EQ(dialog->Label11->text(), QStringLiteral("20270304-050610 "));

    dialog->Button2->click();
    clock.advanceSeconds(60);
    dialog->show();
    EXPECT_EQ(dialog->Label10->text(), QStringLiteral("20270304-050710"));
}

TEST_F(MoreAdvancedSettingsTest, StatisticsPageBoxesFollowTheWindowsRouterType)
{
    const struct {
        int type;
        bool typeA;
        bool typeB;
    } rows[] = { { -1, false, false }, { 0, true, false }, { 1, false, true } };
    for (const auto &row : rows) {
        window->routerAccess().boxType1->setCurrentIndex(row.type);
        dialog->show();
        EXPECT_EQ(dialog->edTypeAUrl->isEnabled(), row.typeA) << row.type;
        EXPECT_EQ(dialog->Label4->isEnabled(), row.typeA) << row.type;
        EXPECT_EQ(dialog->edTypeBUrl->isEnabled(), row.typeB) << row.type;
        EXPECT_EQ(dialog->Label3->isEnabled(), row.typeB) << row.type;
        dialog->Button2->click();
    }
}

// Close copies every control, the disabled Type B box too, and the graphs
// take DateStamp at once; Cancel and the close box copy nothing.
TEST_F(MoreAdvancedSettingsTest, OnlyCloseCopiesTheControlsIntoTheSettings)
{
    const struct {
        std::function<void(TForm7 &)> leave;
        bool copies;
    } ways[] = { { [](TForm7 &d) { d.Button2->click(); }, false }, { [](TForm7 &d) { d.close(); }, false },
        { [](TForm7 &d) { d.Button1->click(); }, true } };
    const Settings before = settings();
    for (const auto &way : ways) {
        dialog->show();
        ChangeEveryControl(*dialog);
        way.leave(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        for (const auto &[key, value] : EveryControlChanged)
            EXPECT_EQ(ValueOf(settings(), key), way.copies ? value : ValueOf(before, key))
                << RowOf(key).name.data();
        EXPECT_EQ(monitor->graphs().dateStamp(), !way.copies);
    }
}

TEST_F(MoreAdvancedSettingsTest, LeavingTheWebFolderDropsOneTrailingSlash)
{
    const std::pair<QString, QString> rows[] = {
        { QStringLiteral("/srv/web/"), QStringLiteral("/srv/web") },
        { QStringLiteral("/srv/web//"), QStringLiteral("/srv/web/") },
        { QStringLiteral("/"), QStringLiteral("/") }, // the root folder keeps its name
    };
    dialog->show();
    for (const auto &[typed, left] : rows) {
        dialog->edWebFolder->setText(typed);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(dialog->edWebFolder, &leave);
        EXPECT_EQ(dialog->edWebFolder->text(), left);
    }
}

} // namespace
