#include "shell/controls/router_access_controls.h"

#include "base/router_type.h"
#include "base/settings.h"
#include "sampling/sample_cycle.h"
#include "shell/controls/control_bindings.h"
#include "shell/controls/indicator_pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

RouterAccessControls::Questions RealQuestions(QWidget *parent)
{
    RouterAccessControls::Questions questions;
    questions.askPassword = [parent]() -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, QStringLiteral("Password..."),
            QStringLiteral("Type Password"), QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return text;
    };
    questions.tell = [parent](const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Linewarden"), text);
    };
    return questions;
}

QToolButton *Padlock(Indicator picture, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setIcon(IndicatorPicture(picture));
    button->setToolTip(hint);
    return button;
}

bool IsTypeA(const QComboBox *box)
{
    return RouterTypeFromIndex(box->currentIndex()) == RouterType::TypeA;
}

} // namespace

RouterAccessControls::RouterAccessControls(Settings &settings, QWidget *owner)
    : QObject(owner), m_settings(settings), m_questions(RealQuestions(owner))
{
    GroupBox1 = new QGroupBox(QStringLiteral("Router Access"), owner);
    auto *grid = new QGridLayout(GroupBox1);
    edAddress = new QLineEdit(GroupBox1);
    Image11 = Padlock(Indicator::PadlockClosed, QStringLiteral("Click to unlock this setting"), GroupBox1);
    Image26 = Padlock(Indicator::PadlockOpen, QStringLiteral("Click to lock this setting"), GroupBox1);
    boxType1 = new QComboBox(GroupBox1);
    boxType1->addItems({ QStringLiteral("Type A"), QStringLiteral("Type B") });
    Label4 = new QLabel(QStringLiteral("Password:"), GroupBox1);
    edPassword1 = new QLineEdit(GroupBox1);
    cbShowPlain = new QCheckBox(QStringLiteral("Show password in plain text"), GroupBox1);
    cbAttemptLogin1 = new QCheckBox(QStringLiteral("Attempt to log into the Home Hub automatically"), owner);

    grid->addWidget(new QLabel(QStringLiteral("Router address:"), GroupBox1), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("http://"), GroupBox1), 0, 1);
    grid->addWidget(edAddress, 0, 2);
    grid->addWidget(Image11, 0, 3);
    grid->addWidget(Image26, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Router type:"), GroupBox1), 1, 0);
    grid->addWidget(boxType1, 1, 1, 1, 2);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(edPassword1, 2, 1, 1, 2);
    grid->addWidget(cbShowPlain, 3, 1, 1, 3);

    // The address is locked at every start.
    edAddress->setEnabled(false);
    Image26->hide();
    setMasked(true);

    connect(Image11, &QToolButton::clicked, this, &RouterAccessControls::Image11Click);
    connect(Image26, &QToolButton::clicked, this, &RouterAccessControls::Image26Click);
    connect(boxType1, &QComboBox::activated, this, &RouterAccessControls::boxType1Change);
    connect(cbAttemptLogin1, &QCheckBox::toggled, this, &RouterAccessControls::cbAttemptLogin1Click);
    connect(cbShowPlain, &QCheckBox::toggled, this, &RouterAccessControls::cbShowPlainClick);
}

void RouterAccessControls::bindSettings(SettingsBindings &bindings)
{
    BindLineEdit(bindings, m_settings, SettingKey::Address, edAddress);
    BindLineEdit(bindings, m_settings, SettingKey::Password, edPassword1);
    BindCheckBox(bindings, m_settings, SettingKey::ShowPlain, cbShowPlain);
    BindCheckBox(bindings, m_settings, SettingKey::Login, cbAttemptLogin1);
    BindComboIndex(bindings, m_settings, SettingKey::Type, boxType1, [this] { typeApplied(); });
}

void RouterAccessControls::startUp()
{
    setMasked(!cbShowPlain->isChecked());
    cbAttemptLogin1->setEnabled(IsTypeA(boxType1));
    cbAttemptLogin1Click();
}

void RouterAccessControls::Image11Click()
{
    Image11->hide();
    Image26->show();
    edAddress->setEnabled(true);
}

void RouterAccessControls::Image26Click()
{
    Image26->hide();
    Image11->show();
    edAddress->setEnabled(false);
}

// Only Type A logs in by itself: choosing Type B clears the option.
void RouterAccessControls::boxType1Change()
{
    if (RouterTypeFromIndex(boxType1->currentIndex()) == RouterType::TypeB)
        cbAttemptLogin1->setChecked(false);
    cbAttemptLogin1->setEnabled(IsTypeA(boxType1));
}

void RouterAccessControls::typeApplied()
{
    const bool typeA = IsTypeA(boxType1);
    cbAttemptLogin1->setEnabled(typeA);
    Label4->setEnabled(typeA);
    edPassword1->setEnabled(typeA);
}

void RouterAccessControls::cbAttemptLogin1Click()
{
    const bool on = cbAttemptLogin1->isChecked();
    Label4->setEnabled(on);
    edPassword1->setEnabled(on);
    cbShowPlain->setEnabled(on);
}

void RouterAccessControls::TabSheet5Show()
{
    cbAttemptLogin1->setEnabled(!edPassword1->text().isEmpty());
}

void RouterAccessControls::watchAdvancedTab(QWidget *page)
{
    m_advancedTab = page;
    page->installEventFilter(this);
}

bool RouterAccessControls::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_advancedTab && event->type() == QEvent::Show)
        TabSheet5Show();
    return QObject::eventFilter(watched, event);
}

void RouterAccessControls::clearHighlight()
{
    GroupBox1->setAutoFillBackground(false);
    GroupBox1->setPalette(QPalette());
}

void RouterAccessControls::followTabs(const QTabWidget &pages)
{
    connect(pages.tabBar(), &QTabBar::tabBarClicked, this, [this, &pages](int page) {
        if (page != pages.currentIndex())
            clearHighlight();
    });
}

void RouterAccessControls::setSamplingControlsEnabled(bool enabled)
{
    boxType1->setEnabled(enabled);
    edPassword1->setEnabled(enabled);
}

void RouterAccessControls::followCycle(const SampleCycle &cycle)
{
    connect(&cycle, &SampleCycle::started, this, [this] { setSamplingControlsEnabled(false); });
    connect(&cycle, &SampleCycle::paused, this, [this] { setSamplingControlsEnabled(true); });
}

// Revealing a stored password asks for it first; the load itself (before
// the window shows) only sets the mask.
void RouterAccessControls::cbShowPlainClick()
{
    if (!GroupBox1->window()->isVisible())
        return;
    if (!cbShowPlain->isChecked() || edPassword1->text().isEmpty()) {
        setMasked(!cbShowPlain->isChecked());
        return;
    }
    const std::optional<QString> typed = m_questions.askPassword();
    if (typed && *typed == edPassword1->text()) {
        setMasked(false);
        return;
    }
    if (typed && !typed->isEmpty())
        m_questions.tell(QStringLiteral("Incorrect Password."));
    cbShowPlain->setChecked(false);
}

void RouterAccessControls::setMasked(bool masked)
{
    edPassword1->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    // The mask character is "+".
    edPassword1->setStyleSheet(
        masked ? QStringLiteral("QLineEdit { lineedit-password-character: 43; }") : QString());
}
