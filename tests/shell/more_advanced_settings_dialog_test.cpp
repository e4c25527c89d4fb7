#include "graphs/graph_set.h"
#include "shell/main_window.h"
#include "shell/more_advanced_settings_dialog.h"
#include "shell/settings_prompts.h"
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
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the dialog's questions without a modal box and remembers them.
class FakePrompts final : public SettingsPrompts {
public:
    bool confirmWarning(QWidget *, const QPoint &topLeft, const QString &text) override
    {
        warnings << text;
        warningPlaces << topLeft;
        return answerYes;
    }
    QString chooseFolder(QWidget *, const QString &title, const QString &) override
    {
        pickerTitles << title;
        return pickedFolder;
    }

    bool answerYes = true;
    QString pickedFolder; // empty: the picker is cancelled
    QStringList warnings;
    QList<QPoint> warningPlaces;
    QStringList pickerTitles;
};

const QString PrefixWarning
    = QStringLiteral("Un-checking this checkbox will prevent Linewarden from distinuishing JPG images\n"
                     "captured by Linewarden from any other JPG images in the Capture folder.\n\n"
                     "This will result in ALL 'outdated' JPG images in the Capture folder being deleted \n"
                     "during maintenance.\n\nContinue?");
const QString RecycleWarning
    = QStringLiteral("If this checkbox is unchecked, Linewarden will delete the scheduled\n"
                     "JPG images permanently and irretrievably during maintenance.\n\nContinue?");

// A setting as a value, whatever its type.
QVariant ValueOf(const Settings &settings, SettingKey key)
{
    switch (SpecOf(key).type) {
    case SettingType::Integer:
        return settings.integer(key);
    case SettingType::Boolean:
        return settings.flag(key);
    default:
        return settings.text(key);
    }
}

// Every control of the dialog given a value unlike its default, and the
// setting it belongs to.
struct ControlChange {
    SettingKey key;
    QVariant value;
    std::function<void(TForm7 &)> change;
};

const std::vector<ControlChange> &EveryControlChanged()
{
    static const std::vector<ControlChange> changes = {
        { SettingKey::LogDateFormat, QStringLiteral("hh:nn"),
            [](TForm7 &d) { d.edLogDateTime->setText(QStringLiteral("hh:nn")); } },
        { SettingKey::LogTab, 12, [](TForm7 &d) { d.sptabSize->setValue(12); } },
        { SettingKey::HHAUrl, QStringLiteral("/a.cgi"),
            [](TForm7 &d) { d.edTypeAUrl->setText(QStringLiteral("/a.cgi")); } },
        { SettingKey::HHBUrl, QStringLiteral("/b.html"),
            [](TForm7 &d) { d.edTypeBUrl->setText(QStringLiteral("/b.html")); } },
        { SettingKey::DateStamp, false, [](TForm7 &d) { d.cbDateStamp->setChecked(false); } },
        { SettingKey::ImageDateFormat, QStringLiteral("yyyy"),
            [](TForm7 &d) { d.edImageDateTime->setText(QStringLiteral("yyyy")); } },
        { SettingKey::AddPrefix, false, [](TForm7 &d) { d.cbPrefix->setChecked(false); } },
        { SettingKey::ImagePrefix, QStringLiteral("Hub-"),
            [](TForm7 &d) { d.edImagePrefix->setText(QStringLiteral("Hub-")); } },
        { SettingKey::Recycle, false, [](TForm7 &d) { d.cbRecycle->setChecked(false); } },
        { SettingKey::WebFolder, QStringLiteral("/srv/web"),
            [](TForm7 &d) { d.edWebFolder->setText(QStringLiteral("/srv/web")); } },
        { SettingKey::PauseDelay, 45, [](TForm7 &d) { d.spDelay->setValue(45); } },
        { SettingKey::Monitor1, true, [](TForm7 &d) { d.cbMon1->setChecked(true); } },
    };
    return changes;
}

// The dialog the main window created, answering through the fake prompts.
class MoreAdvancedSettingsTest : public MainWindowFixture {
protected:
    Settings withType(int type) const
    {
        Settings settings = defaults();
        settings.setInteger(SettingKey::Type, type);
        return settings;
    }

    void openWindow(const Settings &settings)
    {
        open(settings);
        dialog = window->Form7;
        dialog->setPrompts(prompts);
    }

    FakePrompts prompts;
    TForm7 *dialog = nullptr;
};

TEST_F(MoreAdvancedSettingsTest, AdvancedOpensTheSixTabsModallyCentredOverTheWindow)
{
    openWindow(withType(0));
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

TEST_F(MoreAdvancedSettingsTest, PrefixClearedWithYesThenCancelledIsCheckedAgainAtTheNextOpening)
{
    openWindow(withType(0));
    dialog->show();
    dialog->cbPrefix->click();
    EXPECT_FALSE(dialog->cbPrefix->isChecked());
    dialog->Button2->click();

    dialog->show();
    EXPECT_TRUE(dialog->cbPrefix->isChecked());
    EXPECT_TRUE(monitor->settings().flag(SettingKey::AddPrefix));
    EXPECT_EQ(prompts.warnings.size(), 1); // the clearing asked; the reopening did not
}

TEST_F(MoreAdvancedSettingsTest, ClearingPrefixOrRecycleAsksAndCancelChecksTheBoxAgain)
{
    const struct {
        QCheckBox *TForm7::*box;
        QString warning;
    } rows[] = { { &TForm7::cbPrefix, PrefixWarning }, { &TForm7::cbRecycle, RecycleWarning } };
    openWindow(withType(0));
    dialog->show();
    for (const auto &row : rows) {
        QCheckBox *box = dialog->*row.box;
        prompts.warnings.clear();
        prompts.warningPlaces.clear();
        prompts.answerYes = false;
        box->click();
        EXPECT_TRUE(box->isChecked());
        ASSERT_EQ(prompts.warnings.size(), 1);
        EXPECT_EQ(prompts.warnings[0], row.warning);
        EXPECT_EQ(prompts.warningPlaces[0], dialog->pos() + QPoint(100, 50));

        prompts.answerYes = true;
        box->click();
        EXPECT_FALSE(box->isChecked());
        box->click(); // checking asks nothing
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(prompts.warnings.size(), 2);
    }
}

TEST_F(MoreAdvancedSettingsTest, ExamplesShowTheMomentOfOpeningAndOfTyping)
{
    Settings settings = withType(0);
    settings.setText(SettingKey::LogDateFormat, QStringLiteral("yyyymmdd-hhmmss"));
    settings.setText(SettingKey::ImageDateFormat, QStringLiteral("yyyy"));
    openWindow(settings);
    clock.set(QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7)));
    dialog->show();
    EXPECT_EQ(dialog->Label10->text(), QStringLiteral("20270304-050607"));

    clock.advanceSeconds(3);
    dialog->edImageDateTime->setText(QStringLiteral("yyyymmdd-hhmmss"));
    EXPECT_EQ(dialog->Label11->text(), QStringLiteral("20270304-050610"));

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
    openWindow(withType(0));
    for (const auto &row : rows) {
        window->boxType1->setCurrentIndex(row.type);
        dialog->show();
        EXPECT_EQ(dialog->edTypeAUrl->isEnabled(), row.typeA) << row.type;
        EXPECT_EQ(dialog->Label4->isEnabled(), row.typeA) << row.type;
        EXPECT_EQ(dialog->edTypeBUrl->isEnabled(), row.typeB) << row.type;
        EXPECT_EQ(dialog->Label3->isEnabled(), row.typeB) << row.type;
        dialog->Button2->click();
    }
}

TEST_F(MoreAdvancedSettingsTest, CloseCopiesEveryControlAndAppliesDateStampAtOnce)
{
    openWindow(withType(0)); // the Type B box is disabled and still copied
    dialog->show();
    for (const ControlChange &row : EveryControlChanged())
        row.change(*dialog);
    dialog->Button1->click();
    EXPECT_FALSE(dialog->isVisible());
    for (const ControlChange &row : EveryControlChanged())
        EXPECT_EQ(ValueOf(monitor->settings(), row.key), row.value) << SpecOf(row.key).name.data();
    EXPECT_FALSE(window->graphs().dateStamp());
}

TEST_F(MoreAdvancedSettingsTest, CancelAndTheCloseBoxCopyNothing)
{
    const std::function<void(TForm7 &)> ways[]
        = { [](TForm7 &d) { d.Button2->click(); }, [](TForm7 &d) { d.close(); } };
    openWindow(withType(0));
    const Settings before = monitor->settings();
    for (const auto &leave : ways) {
        dialog->show();
        for (const ControlChange &row : EveryControlChanged())
            row.change(*dialog);
        leave(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        for (const ControlChange &row : EveryControlChanged())
            EXPECT_EQ(ValueOf(monitor->settings(), row.key), ValueOf(before, row.key))
                << SpecOf(row.key).name.data();
        EXPECT_TRUE(window->graphs().dateStamp());
    }
}

TEST_F(MoreAdvancedSettingsTest, LeavingTheWebFolderDropsOneTrailingSlash)
{
    const struct {
        QString typed;
        QString left;
    } rows[] = {
        { QStringLiteral("/srv/web/"), QStringLiteral("/srv/web") },
        { QStringLiteral("/srv/web//"), QStringLiteral("/srv/web/") },
        { QStringLiteral("/srv/web"), QStringLiteral("/srv/web") },
        { QStringLiteral("/"), QStringLiteral("/") }, // the root folder keeps its name
    };
    openWindow(withType(0));
    dialog->show();
    for (const auto &row : rows) {
        dialog->edWebFolder->setText(row.typed);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(dialog->edWebFolder, &leave);
        EXPECT_EQ(dialog->edWebFolder->text(), row.left);
    }
}

TEST_F(MoreAdvancedSettingsTest, BrowsePutsThePickedFolderInTheBoxAndCancelLeavesIt)
{
    openWindow(withType(0));
    dialog->show();
    const QString before = dialog->edWebFolder->text();
    dialog->Button3->click();
    EXPECT_EQ(dialog->edWebFolder->text(), before);
    prompts.pickedFolder = QStringLiteral("/srv/pictures");
    dialog->Button3->click();
    EXPECT_EQ(dialog->edWebFolder->text(), QStringLiteral("/srv/pictures"));
    EXPECT_EQ(prompts.pickerTitles, QStringList(2, QStringLiteral("Select folder")));
}

TEST_F(MoreAdvancedSettingsTest, ChangingTabsMovesTheFocusToCancel)
{
    openWindow(withType(0));
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    dialog->edLogDateTime->setFocus();
    dialog->PageControl1->setCurrentIndex(3);
    EXPECT_TRUE(dialog->Button2->hasFocus());
}

} // namespace
