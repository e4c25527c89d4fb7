#include "shell/controls/router_access_controls.h"
#include "shell/windows/main_window.h"
#include "shell/windows/setup_wizard.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The last page's text for each router type, as the user reads it.
const char *const kFinishTypeA
    = "Linewarden is unable to log into the Home Hub automatically the first time it runs. On this first "
      "run, you will also need to navigate manually to the Home Hub's \"Connection Information\" page. On "
      "subsequent runs, Linewarden should navigate to the correct page automatically. If you selected the "
      "\"Attempt to log into the Home Hub automatically\" checkbox, you should't need to log in either.";
const char *const kFinishTypeB = "Linewarden is unable to log into the Home Hub automatically. When you "
                                 "close this wizard, enter your password in the BT Home Hub Login page.";

class SetupWizardTest : public MainWindowFixture {
protected:
    // A first run: no settings file.
    void openFirstRun() { open(defaults(), false); }

    // Through every page to "Finish" with these answers.
    static void walkToFinish(TForm4 &w, const QString &address, RouterType type, const QString &password)
    {
        w.Button2->click();
        w.edAddress->setText(address);
        w.Button12->click();
        w.boxType->setCurrentIndex(RouterTypeIndex(type));
        w.Button5->click();
        if (type == RouterType::TypeA) {
            w.edPassword->setText(password);
            w.Button16->click();
        }
    }
};

// From a first run, and over a router access set up before (Type B without
// the login, or Type A with it), whose controls must follow.
TEST_F(SetupWizardTest, FinishPutsTheAnswersIntoTheMainWindowAndSavesThem)
{
    const struct {
        int priorType; // none: a first run
        bool priorLogin;
        RouterType type;
        bool wizardLogin;
        bool login; // and the main window's login option enabled
        bool passwordEnabled;
        const char *password;
        const char *finishText;
    } cases[] = {
        { -1, true, RouterType::TypeA, false, false, true, "secret", kFinishTypeA },
        { -1, true, RouterType::TypeA, true, true, true, "secret", kFinishTypeA },
        { 1, false, RouterType::TypeA, true, true, true, "secret", kFinishTypeA },
        // Type B never logs in by itself, whatever the wizard's box showed.
        { -1, true, RouterType::TypeB, true, false, false, "", kFinishTypeB },
        { 0, true, RouterType::TypeB, true, false, false, "", kFinishTypeB },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.priorType << ' ' << RouterTypeIndex(c.type) << c.wizardLogin);
        if (c.priorType < 0) {
            openFirstRun();
        } else {
            Settings prior = defaults();
            prior.setInteger(SettingKey::Type, c.priorType);
            prior.setFlag(SettingKey::Login, c.priorLogin);
            prior.setText(SettingKey::Password, QStringLiteral("old"));
            open(prior);
        }
        TForm4 wizard(*window);
        wizard.FormShow();
        wizard.cbAttemptLogin->setChecked(c.wizardLogin);
        walkToFinish(wizard, QStringLiteral(" 10.0.0.138 "), c.type, QString::fromLatin1(c.password));
        ASSERT_EQ(wizard.currentPage(), WizardPage::Finish);
        EXPECT_EQ(wizard.Label3->text(), QString::fromLatin1(c.finishText));
        wizard.Button8->click();

        const RouterAccessControls &access = window->routerAccess();
        EXPECT_EQ(access.edAddress->text(), QStringLiteral("10.0.0.138"));
        EXPECT_EQ(access.boxType1->currentIndex(), RouterTypeIndex(c.type));
        EXPECT_EQ(access.cbAttemptLogin1->isChecked(), c.login);
        EXPECT_EQ(access.cbAttemptLogin1->isEnabled(), c.type == RouterType::TypeA);
        EXPECT_EQ(access.Label4->isEnabled(), c.passwordEnabled);
        EXPECT_EQ(access.edPassword1->isEnabled(), c.passwordEnabled);
        EXPECT_EQ(access.edPassword1->text(), QString::fromLatin1(c.password));
        EXPECT_EQ(access.cbShowPlain->isEnabled(), c.login);
        const Settings file = saved();
        EXPECT_EQ(file.text(SettingKey::Address), QStringLiteral("10.0.0.138"));
        EXPECT_EQ(file.integer(SettingKey::Type), RouterTypeIndex(c.type));
        EXPECT_EQ(file.flag(SettingKey::Login), c.login);
        EXPECT_EQ(file.text(SettingKey::Password), QString::fromLatin1(c.password));
        // The router page is loaded at once.
        ASSERT_FALSE(view->navigations.isEmpty());
        EXPECT_TRUE(view->navigations.last().url.startsWith(QStringLiteral("http://10.0.0.138")));
    }
}

// Each opening starts from what the main window shows, changed there since
// the load too.
TEST_F(SetupWizardTest, OpeningShowsTheRouterAccessInForce)
{
    open(defaults());
    RouterAccessControls &access = window->routerAccess();
    const struct {
        int type;
        const char *address;
        bool login;
    } cases[] = { { 1, "10.1.2.3", false }, { 0, "192.168.0.1", true }, { -1, "172.16.5.4", false } };
    TForm4 wizard(*window);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.address);
        access.boxType1->setCurrentIndex(c.type);
        access.edAddress->setText(QString::fromLatin1(c.address));
        access.cbAttemptLogin1->setChecked(c.login);
        wizard.FormShow();
        EXPECT_EQ(wizard.boxType->currentIndex(), c.type);
        EXPECT_EQ(wizard.edAddress->text(), QString::fromLatin1(c.address));
        EXPECT_EQ(wizard.cbAttemptLogin->isChecked(), c.login);
        EXPECT_EQ(wizard.currentPage(), WizardPage::Welcome);
    }
}

// The fixed texts of the pages; the type page's line breaks are the new
// lines a label shows.
TEST_F(SetupWizardTest, PagesShowTheirTexts)
{
    openFirstRun();
    TForm4 wizard(*window);
    const struct {
        QString shown;
        const char *text;
    } cases[] = {
        { wizard.windowTitle(), "Linewarden Setup Wizard" },
        { wizard.Label5->text(),
            "In the box below, please type the Home Hub's network address. The default value is already in "
            "the box and shouldn't normally need changing." },
        { wizard.Label7->text(), "Router network address: " },
        { wizard.Label8->text(), "http://" },
        { wizard.edAddress->text(), "192.168.1.254" },
        { wizard.Label10->text(), "Attempt to find router network address" },
        { wizard.Label1->text(),
            "Linewarden will only work with the BT Home Hub version 3\n\nThere are two different models of "
            "version 3 (Type A and Type B).\nYou can find the Type you have on the label on the underside of "
            "the Hub.\n\nPlease select your model below, then press 'Next'" },
        { wizard.Label2->text(), "Home Hub  3 Type  " },
        { wizard.boxType->itemText(0), "Type A" },
        { wizard.boxType->itemText(1), "Type B" },
        { wizard.Label6->text(), "Home Hub Password" },
        { wizard.Label9->text(),
            "Linewarden can attempt to log into the Home Hub automatically. This experimental feature is not "
            "always successful. Select the checkbox below to try." },
        { wizard.cbAttemptLogin->text(), "Attempt to log  into the Home Hub automatically" },
        { wizard.cbShowplain->text(), "Show password in plain text" },
        { wizard.Label4->text(),
            "Please press the 'Finish' button to complete the setup and close this wizard." },
        { wizard.Button2->text(), "Next" },
        { wizard.Button1->text(), "Cancel" },
        { wizard.Button11->text(), "Back" },
        { wizard.Button14->text(), "Find" },
        { wizard.Button15->text(), "Default" },
        { wizard.Button8->text(), "Finish" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.shown, QString::fromLatin1(c.text));
}

TEST_F(SetupWizardTest, FindFillsTheAddressOrSaysItCannot)
{
    const struct {
        const char *script;
        const char *address;
        int messages;
    } cases[] = {
        { "echo 'default via 192.168.0.1 dev eth0 proto dhcp'", "192.168.0.1", 0 },
        { "echo 'default via fe80::1 dev eth0'", "172.16.0.9", 1 },
        { "true", "172.16.0.9", 0 },
    };
    openFirstRun();
    for (const auto &c : cases) {
        RouteQuery query;
        query.program = QStringLiteral("/bin/sh");
        query.arguments = { QStringLiteral("-c"), QString::fromLatin1(c.script) };
        TForm4 wizard(*window, query);
        QStringList told;
        wizard.setTell([&told](const QString &text) { told << text; });
        wizard.edAddress->setText(QStringLiteral("172.16.0.9"));
        wizard.Button14->click();
        EXPECT_FALSE(wizard.Button14->isEnabled()) << c.script;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !wizard.isFinding(); }, 5000)) << c.script;
        EXPECT_EQ(wizard.edAddress->text(), QString::fromLatin1(c.address)) << c.script;
        EXPECT_EQ(told.size(), c.messages) << c.script;
        if (c.messages) {
            EXPECT_EQ(told.first(), QStringLiteral("Unable to retrieve router address."));
        }
        EXPECT_TRUE(wizard.Button14->isEnabled()) << c.script;
    }
}

TEST_F(SetupWizardTest, ShowPlainUnmasksThePasswordAndKeepsTheFocusThere)
{
    openFirstRun();
    TForm4 wizard(*window);
    wizard.show();
    wizard.activateWindow();
    wizard.Button2->click();
    wizard.Button12->click();
    wizard.boxType->setCurrentIndex(0);
    wizard.Button5->click();
    for (const bool plain : { true, false }) {
        wizard.cbShowplain->click();
        EXPECT_EQ(wizard.edPassword->echoMode(), plain ? QLineEdit::Normal : QLineEdit::Password);
        EXPECT_TRUE(QTest::qWaitFor([&] { return wizard.edPassword->hasFocus(); }, 1000));
    }
}

// Without a settings file the wizard opens by itself after 750 ms, comes back
// after each cancel (which changes nothing), and stays away once finished.
TEST_F(SetupWizardTest, FirstRunWizardComesBackAfterCancelUntilFinished)
{
    openFirstRun();
    TForm4 *wizard = AddSetupWizard(*window);
    int shown = 0;
    qint64 reshownAfterMs = -1;
    QElapsedTimer sinceCancel;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, wizard, [&] {
        if (!wizard->isVisible())
            return;
        ++shown;
        if (shown == 2)
            reshownAfterMs = sinceCancel.elapsed();
        EXPECT_FALSE(QFile::exists(iniPath()));
        if (shown == 1) {
            wizard->edAddress->setText(QStringLiteral("10.9.9.9"));
            wizard->Button1->click();
            sinceCancel.start();
        } else {
            // The cancel changed nothing, and each opening starts afresh.
            EXPECT_EQ(window->routerAccess().edAddress->text(), QStringLiteral("192.168.1.254"));
            EXPECT_EQ(wizard->edAddress->text(), QStringLiteral("192.168.1.254"));
            EXPECT_EQ(wizard->currentPage(), WizardPage::Welcome);
            walkToFinish(*wizard, QStringLiteral("192.168.1.254"), RouterType::TypeB, QString());
            wizard->Button8->click();
        }
    });
    answer.start(10);
    window->show();
    window->activateWindow();

    ASSERT_TRUE(QTest::qWaitFor([&] { return shown >= 2 && !wizard->isVisible(); }, 10000)) << shown;
    EXPECT_GE(reshownAfterMs, 700);
    EXPECT_TRUE(QFile::exists(iniPath()));
    QTest::qWait(1500);
    EXPECT_EQ(shown, 2);
}

} // namespace
