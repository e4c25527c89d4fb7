#include "shell/controls/router_access_controls.h"

#include "base/settings.h"
#include "base/settings_bindings.h"
#include "support/qt_printers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The router access controls in a window of their own, with a stored
// password; the password question is answered here.
class RouterAccessControlsTest : public ::testing::Test {
protected:
    RouterAccessControlsTest()
        : settings(SettingsContext { QStringLiteral("/opt/lw"), nullptr, QRect(), QLocale::c() }),
          controls(settings, &window)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(controls.GroupBox1);
        layout->addWidget(controls.cbAttemptLogin1);
        settings.setInteger(SettingKey::Type, 0);
        settings.setText(SettingKey::Password, QStringLiteral("secret"));
        controls.setQuestions({ [this] { return answer; }, [this](const QString &text) { told << text; } });
        controls.bindSettings(bindings);
        bindings.applyInLoadOrder();
        controls.startUp();
    }

    void pickType(int index)
    {
        controls.boxType1->setCurrentIndex(index);
        controls.boxType1Change();
    }

    QWidget window;
    Settings settings;
    SettingsBindings bindings;
    RouterAccessControls controls;
    std::optional<QString> answer;
    QStringList told;
};

TEST_F(RouterAccessControlsTest, AddressLockTypeAndLoginRules)
{
    EXPECT_FALSE(controls.edAddress->isEnabled()); // locked at every start
    controls.Image11Click();
    EXPECT_TRUE(controls.edAddress->isEnabled());
    EXPECT_TRUE(controls.Image11->isHidden());
    controls.Image26Click();
    EXPECT_FALSE(controls.edAddress->isEnabled());

    // Type B clears and disables the automatic login; Type A enables it
    // again without checking it.
    ASSERT_TRUE(controls.cbAttemptLogin1->isChecked());
    pickType(1);
    EXPECT_FALSE(controls.cbAttemptLogin1->isChecked());
    EXPECT_FALSE(controls.cbAttemptLogin1->isEnabled());
    EXPECT_FALSE(settings.flag(SettingKey::Login));
    pickType(0);
    EXPECT_TRUE(controls.cbAttemptLogin1->isEnabled());
    EXPECT_FALSE(controls.cbAttemptLogin1->isChecked());
    // Without the login the password is not needed.
    EXPECT_FALSE(controls.edPassword1->isEnabled());
    EXPECT_FALSE(controls.Label4->isEnabled());

    // The Advanced tab in view: the option needs a password.
    controls.edPassword1->clear();
    controls.TabSheet5Show();
    EXPECT_FALSE(controls.cbAttemptLogin1->isEnabled());
}

TEST_F(RouterAccessControlsTest, RevealingThePasswordAsksForItFirst)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(controls.edPassword1->echoMode(), QLineEdit::Password);
    const struct {
        std::optional<QString> typed;
        bool shown;
        bool toldWrong;
    } cases[] = {
        { QStringLiteral("guess"), false, true },
        { QString(), false, false }, // nothing typed: no message
        { std::nullopt, false, false }, // cancelled
        { QStringLiteral("secret"), true, false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.value_or(QStringLiteral("<cancel>")).toStdString());
        told.clear();
        answer = c.typed;
        controls.cbShowPlain->setChecked(true);
        EXPECT_EQ(controls.edPassword1->echoMode() == QLineEdit::Normal, c.shown);
        EXPECT_EQ(controls.cbShowPlain->isChecked(), c.shown);
        EXPECT_EQ(told, c.toldWrong ? QStringList { QStringLiteral("Incorrect Password.") } : QStringList());
    }
    controls.cbShowPlain->setChecked(false);
    EXPECT_EQ(controls.edPassword1->echoMode(), QLineEdit::Password);
}

} // namespace
