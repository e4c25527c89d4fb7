#include "shell/windows/setup_wizard.h"

#include "base/settings.h"
#include "shell/program/line_monitor.h"
#include "shell/windows/first_run_trigger.h"
#include "shell/windows/main_window.h"
#include "shell/windows/window_placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedLayout>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 614;
constexpr int ClientHeight = 382;

// The router address the wizard offers and "Default" puts back: the
// Address key's default.
QString DefaultAddress()
{
    return DefaultOf(SettingKey::Address, {}).toString();
}

QString TypeIntroText()
{
    return QStringLiteral("Linewarden will only work with the BT Home Hub version 3\n\n"
                          "There are two different models of version 3 (Type A and Type B).\n"
                          "You can find the Type you have on the label on the underside of the Hub.\n\n"
                          "Please select your model below, then press 'Next'");
}

QLabel *Text(const QString &text, QWidget *parent, bool wrap = true)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wrap);
    return label;
}

QLabel *Heading(const QString &text, QWidget *parent)
{
    QLabel *label = Text(text, parent, false);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    label->setFont(font);
    return label;
}

// One page of the wizard, painted in the window colour.
QWidget *Page(QWidget *parent)
{
    auto *page = new QWidget(parent);
    page->setAutoFillBackground(true);
    return page;
}

} // namespace

TForm4::TForm4(TForm1 &mainWindow, RouteQuery query)
    : QDialog(&mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_main(mainWindow),
      m_finder(new RouterAddressFinder(std::move(query), this))
{
    setWindowTitle(QStringLiteral("Linewarden Setup Wizard"));
    setFixedSize(ClientWidth, ClientHeight);

    PageControl1 = new QStackedWidget(this);
    Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::StyledPanel);
    m_buttonRows = new QStackedLayout(Panel2);
    TabSheet1 = buildWelcomePage();
    TabSheet4 = buildAddressPage();
    TabSheet2 = buildTypePage();
    TabSheet6 = buildPasswordPage();
    TabSheet3 = buildFinishPage();
    for (QWidget *page : { TabSheet1, TabSheet4, TabSheet2, TabSheet6, TabSheet3 })
        PageControl1->addWidget(page);
    m_buttonRows->addWidget(buttonRow({ Button2, Button1 }));
    m_buttonRows->addWidget(buttonRow({ Button11, Button12, Button3 }));
    m_buttonRows->addWidget(buttonRow({ Button4, Button5, Button6 }));
    m_buttonRows->addWidget(buttonRow({ Button10, Button16, Button9 }));
    m_buttonRows->addWidget(buttonRow({ Button7, Button8, Button13 }));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel2);

    connect(m_finder, &RouterAddressFinder::finished, this, &TForm4::routerAddressFound);
    showPage(WizardPage::Welcome);
}

TForm4::~TForm4() = default;

QPushButton *TForm4::button(const QString &caption, void (TForm4::*handler)())
{
    auto *created = new QPushButton(caption, this);
    created->setAutoDefault(false);
    connect(created, &QPushButton::clicked, this, handler);
    return created;
}

QWidget *TForm4::buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QWidget(Panel2);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addStretch(1);
    for (QPushButton *each : buttons) {
        each->setParent(row);
        layout->addWidget(each);
    }
    return row;
}

QWidget *TForm4::buildWelcomePage()
{
    QWidget *page = Page(PageControl1);
    HTML = new QTextBrowser(page);
    HTML->setOpenExternalLinks(true);
    HTML->setFrameShape(QFrame::NoFrame);
    HTML->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HTML->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HTML->setStyleSheet(QStringLiteral("QTextBrowser { background: #eeeeee; }"));
    HTML->document()->setDefaultFont(QFont(QStringLiteral("Arial")));
    HTML->setHtml(WelcomeText());
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(HTML);
    Button2 = button(QStringLiteral("Next"), &TForm4::btnNextClick);
    Button1 = button(QStringLiteral("Cancel"), &TForm4::btnCancelClick);
    return page;
}

QWidget *TForm4::buildAddressPage()
{
    QWidget *page = Page(PageControl1);
    Label5 = Text(
        QStringLiteral("In the box below, please type the Home Hub's network address. The default value "
                       "is already in the box and shouldn't normally need changing."),
        page);
    Label7 = Text(QStringLiteral("Router network address: "), page, false);
    Label8 = Text(QStringLiteral("http://"), page, false);
    edAddress = new QLineEdit(DefaultAddress(), page);
    Label10 = Text(QStringLiteral("Attempt to find router network address"), page, false);
    Button14 = button(QStringLiteral("Find"), &TForm4::Button14Click);
    Button15 = button(QStringLiteral("Default"), &TForm4::Button15Click);
    Button14->setParent(page);
    Button15->setParent(page);

    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(24, 24, 24, 12);
    grid->addWidget(Label5, 0, 0, 1, 4);
    grid->setRowMinimumHeight(1, 24);
    grid->addWidget(Label7, 2, 0);
    grid->addWidget(Label8, 2, 1);
    grid->addWidget(edAddress, 2, 2);
    grid->addWidget(Button15, 2, 3);
    grid->addWidget(Label10, 3, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(Button14, 3, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);

    Button11 = button(QStringLiteral("Back"), &TForm4::btnBackClick);
    Button12 = button(QStringLiteral("Next"), &TForm4::btnNextClick);
    Button3 = button(QStringLiteral("Cancel"), &TForm4::btnCancelClick);
    return page;
}

QWidget *TForm4::buildTypePage()
{
    QWidget *page = Page(PageControl1);
    Label1 = Text(TypeIntroText(), page);
    Label2 = Text(QStringLiteral("Home Hub  3 Type  "), page, false);
    boxType = new QComboBox(page);
    boxType->addItems({ QStringLiteral("Type A"), QStringLiteral("Type B") });
    boxType->setEditable(false);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 12);
    layout->addWidget(Label1);
    auto *row = new QHBoxLayout;
    row->addWidget(Label2);
    row->addWidget(boxType);
    row->addStretch(1);
    layout->addSpacing(12);
    layout->addLayout(row);
    layout->addStretch(1);

    Button4 = button(QStringLiteral("Back"), &TForm4::btnBackClick);
    Button5 = button(QStringLiteral("Next"), &TForm4::btnNextClick);
    Button6 = button(QStringLiteral("Cancel"), &TForm4::btnCancelClick);
    return page;
}

QWidget *TForm4::buildPasswordPage()
{
    QWidget *page = Page(PageControl1);
    Label6 = Heading(QStringLiteral("Home Hub Password"), page);
    Label9
        = Text(QStringLiteral("Linewarden can attempt to log into the Home Hub automatically. This "
                              "experimental feature is not always successful. Select the checkbox below to "
                              "try."),
            page);
    cbAttemptLogin = new QCheckBox(QStringLiteral("Attempt to log  into the Home Hub automatically"), page);
    cbAttemptLogin->setChecked(DefaultOf(SettingKey::Login, {}).toBool());
    edPassword = new QLineEdit(page);
    edPassword->setMaximumWidth(260);
    edPassword->setEchoMode(QLineEdit::Password);
    // The mask character is "+".
    edPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 43; }"));
    cbShowplain = new QCheckBox(QStringLiteral("Show password in plain text"), page);
    connect(cbShowplain, &QCheckBox::clicked, this, &TForm4::cbShowplainClick);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 12);
    layout->addWidget(Label6);
    layout->addWidget(Label9);
    layout->addWidget(cbAttemptLogin);
    layout->addSpacing(12);
    layout->addWidget(edPassword);
    layout->addWidget(cbShowplain);
    layout->addStretch(1);

    Button10 = button(QStringLiteral("Back"), &TForm4::btnBackClick);
    Button16 = button(QStringLiteral("Next"), &TForm4::btnNextClick);
    Button9 = button(QStringLiteral("Cancel"), &TForm4::btnCancelClick);
    return page;
}

QWidget *TForm4::buildFinishPage()
{
    QWidget *page = Page(PageControl1);
    Label3 = Text(QString(), page);
    Label4 = Text(
        QStringLiteral("Please press the 'Finish' button to complete the setup and close this wizard."),
        page);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 12);
    layout->addWidget(Label3);
    layout->addSpacing(24);
    layout->addWidget(Label4);
    layout->addStretch(1);

    Button7 = button(QStringLiteral("Back"), &TForm4::btnBackClick);
    Button8 = button(QStringLiteral("Finish"), &TForm4::Button8Click);
    Button13 = button(QStringLiteral("Cancel"), &TForm4::btnCancelClick);
    return page;
}

QPoint TForm4::centredPosition() const
{
    return CentredOver(m_main.frameGeometry(), frameGeometry().size());
}

int TForm4::ShowModal()
{
    if (isVisible())
        return QDialog::Rejected;
    FormShow();
    // The window frame's size is known once the native window exists.
    winId();
    move(centredPosition());
    return exec();
}

// The main window's controls write every change into the settings at once:
// the settings hold what the window shows.
void TForm4::FormShow()
{
    const Settings &settings = m_main.monitor().settings();
    boxType->setCurrentIndex(settings.integer(SettingKey::Type));
    edAddress->setText(settings.text(SettingKey::Address));
    cbAttemptLogin->setChecked(settings.flag(SettingKey::Login));
    showPage(WizardPage::Welcome);
}

WizardPage TForm4::currentPage() const
{
    return static_cast<WizardPage>(PageControl1->currentIndex());
}

WizardAnswers TForm4::answers() const
{
    return { edAddress->text(), RouterTypeFromIndex(boxType->currentIndex()), edPassword->text() };
}

void TForm4::showPage(WizardPage page)
{
    if (page == WizardPage::Finish)
        Label3->setText(FinishPageText(RouterTypeFromIndex(boxType->currentIndex())));
    const int index = static_cast<int>(page);
    PageControl1->setCurrentIndex(index);
    m_buttonRows->setCurrentIndex(index);
    // Enter presses the page's "Next" or "Finish".
    QPushButton *const forward[] = { Button2, Button12, Button5, Button16, Button8 };
    forward[index]->setDefault(true);
}

void TForm4::btnNextClick()
{
    const WizardPage next = PageAfterNext(currentPage(), answers());
    if (next != currentPage())
        showPage(next);
}

void TForm4::btnBackClick()
{
    showPage(PageBeforeBack(currentPage()));
}

void TForm4::btnCancelClick()
{
    reject();
}

void TForm4::Button15Click()
{
    edAddress->setText(DefaultAddress());
}

void TForm4::Button14Click()
{
    if (m_finder->isRunning())
        return;
    Button14->setEnabled(false);
    setCursor(Qt::BusyCursor);
    m_finder->start();
}

void TForm4::routerAddressFound(const FoundRouterAddress &found)
{
    Button14->setEnabled(true);
    unsetCursor();
    if (found.kind == FoundRouterAddress::Kind::Address)
        edAddress->setText(found.address);
    else if (found.kind == FoundRouterAddress::Kind::NotAnAddress)
        tell(QStringLiteral("Unable to retrieve router address."));
}

void TForm4::cbShowplainClick()
{
    const bool plain = cbShowplain->isChecked();
    edPassword->setEchoMode(plain ? QLineEdit::Normal : QLineEdit::Password);
    edPassword->setFocus();
}

// The answers go into the settings, and the controls bound to them follow
// as they do at start, each with its own reaction; the address without the
// blanks around it, which the check on the address page lets through. Only
// Type A logs in by itself.
void TForm4::Button8Click()
{
    const bool typeA = RouterTypeFromIndex(boxType->currentIndex()) == RouterType::TypeA;
    LineMonitor &monitor = m_main.monitor();
    Settings &settings = monitor.settings();
    settings.setText(SettingKey::Address, edAddress->text().trimmed());
    settings.setInteger(SettingKey::Type, boxType->currentIndex());
    settings.setText(SettingKey::Password, edPassword->text());
    settings.setFlag(SettingKey::Login, typeA && cbAttemptLogin->isChecked());
    monitor.bindings().apply(
        { SettingKey::Address, SettingKey::Type, SettingKey::Password, SettingKey::Login });
    if (!m_main.SaveIni())
        tell(Settings::SaveFailedText(monitor.context().settingsPath));
    m_main.FormShow();
    accept();
}

// However the wizard closes, a lookup still running is ended.
void TForm4::done(int result)
{
    m_finder->cancel();
    Button14->setEnabled(true);
    unsetCursor();
    QDialog::done(result);
}

void TForm4::tell(const QString &text)
{
    if (m_tell) {
        m_tell(text);
        return;
    }
    QMessageBox::information(this, QStringLiteral("Linewarden"), text);
}

TForm4 *AddSetupWizard(TForm1 &window)
{
    auto *wizard = new TForm4(window);
    QObject::connect(&window, &TForm1::setupWizardWanted, wizard, &TForm4::ShowModal);
    LineMonitor &monitor = window.monitor();
    auto *trigger = new FirstRunTrigger(window,
        { [&monitor] { return monitor.settingsFileExists(); }, [wizard] { return wizard->isVisible(); } });
    // Closing the wizard makes the window active again on a desktop; where
    // the window system does not say so, the wizard's close arms the trigger
    // itself.
    QObject::connect(wizard, &QDialog::finished, trigger, &FirstRunTrigger::FormActivate);
    // Another dialog showing or the window closed: the next activation
    // tries again.
    QObject::connect(trigger, &FirstRunTrigger::wizardWanted, wizard, [wizard, &window] {
        if (window.isVisible() && !QApplication::activeModalWidget())
            wizard->ShowModal();
    });
    return wizard;
}
