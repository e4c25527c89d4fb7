#include "shell/windows/more_advanced_settings_dialog.h"

#include "base/clock.h"
#include "base/date_time_pattern.h"
#include "base/router_type.h"
#include "base/settings.h"
#include "graphs/graph_model.h"
#include "shell/windows/desktop_settings_prompts.h"
#include "shell/windows/window_placement.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The tab width pads every figure of a log line, so a huge one would bloat
// the log; 0 (or less) means no padding.
constexpr int kTabSizeMax = 255;
// The resume delay becomes a timer interval in milliseconds: at least one
// second, so Pause still pauses, and no more than the interval can hold.
constexpr int kDelayMin = 1;
constexpr int kDelayMax = 2147483;

QString PrefixWarning()
{
    return QStringLiteral(
        "Un-checking this checkbox will prevent Linewarden from distinuishing JPG images\n"
        "captured by Linewarden from any other JPG images in the Capture folder.\n"
        "\n"
        "This will result in ALL 'outdated' JPG images in the Capture folder being deleted \n"
        "during maintenance.\n"
        "\n"
        "Continue?");
}

QString RecycleWarning()
{
    return QStringLiteral("If this checkbox is unchecked, Linewarden will delete the scheduled\n"
                          "JPG images permanently and irretrievably during maintenance.\n"
                          "\n"
                          "Continue?");
}

// One trailing "/" goes; the root folder alone keeps it, since without it
// the box would name no folder at all.
QString WithoutTrailingSlash(const QString &folder)
{
    if (folder.endsWith(u'/') && folder != u"/")
        return folder.chopped(1);
    return folder;
}

QSpinBox *SpinBox(int minimum, int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(minimum, maximum);
    return box;
}

// A button that Enter in an edit box does not press.
QPushButton *Button(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TForm7::TForm7(Settings &settings, const Clock &clock, GraphModel &graphs, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint),
      m_settings(settings), m_clock(clock), m_graphs(graphs),
      m_desktopPrompts(std::make_unique<DesktopSettingsPrompts>()), m_prompts(m_desktopPrompts.get())
{
    setWindowTitle(QStringLiteral("Linewarden - More Advanced Settings"));
    setFixedSize(664, 375);

    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(buildLoggingTab(), QStringLiteral("Logging"));
    PageControl1->addTab(buildHomeHubAccessTab(), QStringLiteral("Home Hub Access"));
    PageControl1->addTab(buildGraphsTab(), QStringLiteral("Graphs"));
    PageControl1->addTab(buildCapturedImagesTab(), QStringLiteral("Captured Images"));
    PageControl1->addTab(buildWebServerTab(), QStringLiteral("Web Server"));
    PageControl1->addTab(buildSystemTab(), QStringLiteral("System"));

    Button1 = Button(QStringLiteral("Close"), this);
    Button2 = Button(QStringLiteral("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm7::Button3Click);
    connect(edLogDateTime, &QLineEdit::textChanged, this, &TForm7::edLogDateTimeChange);
    connect(edImageDateTime, &QLineEdit::textChanged, this, &TForm7::edImageDateTimeChange);
    // Only a click (or the space bar) on the box emits clicked; filling the
    // box from the settings does not, so it never raises the warnings.
    connect(cbPrefix, &QCheckBox::clicked, this, &TForm7::cbPrefixClick);
    connect(cbRecycle, &QCheckBox::clicked, this, &TForm7::cbRecycleClick);
    edWebFolder->installEventFilter(this);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm7::PageControl1Change);

    fillFromSettings();
    PageControl1->setCurrentIndex(0);
}

TForm7::~TForm7() = default;

void TForm7::setPrompts(SettingsPrompts &prompts)
{
    m_prompts = &prompts;
}

QPoint TForm7::centredPosition() const
{
    const QWidget *owner = parentWidget();
    return owner ? CentredOver(owner->frameGeometry(), frameGeometry().size()) : pos();
}

int TForm7::ShowModal()
{
    // The window frame's size is known once the native window exists.
    winId();
    move(centredPosition());
    return exec();
}

QWidget *TForm7::buildLoggingTab()
{
    auto *tab = new QWidget(this);
    auto *grid = new QGridLayout(tab);
    edLogDateTime = new QLineEdit(tab);
    Label10 = new QLabel(tab);
    sptabSize = SpinBox(0, kTabSizeMax, tab);
    grid->addWidget(new QLabel(QStringLiteral("Date/time  format:"), tab), 0, 0);
    grid->addWidget(edLogDateTime, 0, 1);
    grid->addWidget(Label10, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Set tab size:"), tab), 1, 0);
    grid->addWidget(sptabSize, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return tab;
}

QWidget *TForm7::buildHomeHubAccessTab()
{
    auto *tab = new QWidget(this);
    auto *grid = new QGridLayout(tab);
    Label4 = new QLabel(QStringLiteral("Home Hub Type A Stats url:"), tab);
    edTypeAUrl = new QLineEdit(tab);
    Label3 = new QLabel(QStringLiteral("Home Hub Type B Stats url:"), tab);
    edTypeBUrl = new QLineEdit(tab);
    grid->addWidget(Label4, 0, 0);
    grid->addWidget(edTypeAUrl, 0, 1);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(edTypeBUrl, 1, 1);
    grid->setRowStretch(2, 1);
    return tab;
}

QWidget *TForm7::buildGraphsTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    cbDateStamp = new QCheckBox(QStringLiteral("Include Day on bottom axis labels"), tab);
    layout->addWidget(cbDateStamp);
    layout->addStretch(1);
    return tab;
}

QWidget *TForm7::buildCapturedImagesTab()
{
    auto *tab = new QWidget(this);
    auto *grid = new QGridLayout(tab);
    edImageDateTime = new QLineEdit(tab);
    Label11 = new QLabel(tab);
    cbPrefix = new QCheckBox(QStringLiteral("Prefix captured image filenames with"), tab);
    edImagePrefix = new QLineEdit(tab);
    cbRecycle = new QCheckBox(QStringLiteral("Send images deleted during maintenance to Recyle Bin"), tab);
    grid->addWidget(new QLabel(QStringLiteral("Date/time  format:"), tab), 0, 0);
    grid->addWidget(edImageDateTime, 0, 1);
    grid->addWidget(Label11, 0, 2);
    grid->addWidget(cbPrefix, 1, 0);
    grid->addWidget(edImagePrefix, 1, 1);
    grid->addWidget(cbRecycle, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    return tab;
}

QWidget *TForm7::buildWebServerTab()
{
    auto *tab = new QWidget(this);
    auto *grid = new QGridLayout(tab);
    edWebFolder = new QLineEdit(tab);
    Button3 = Button(QStringLiteral("Browse..."), tab);
    grid->addWidget(
        new QLabel(QStringLiteral("Save web image and html files in this folder: "), tab), 0, 0, 1, 2);
    grid->addWidget(edWebFolder, 1, 0);
    grid->addWidget(Button3, 1, 1);
    grid->setRowStretch(2, 1);
    return tab;
}

QWidget *TForm7::buildSystemTab()
{
    auto *tab = new QWidget(this);
    auto *grid = new QGridLayout(tab);
    spDelay = SpinBox(kDelayMin, kDelayMax, tab);
    cbMon1 = new QCheckBox(QStringLiteral("Always open Linewarden on Monitor 1 (Dual Monitors)"), tab);
    grid->addWidget(new QLabel(QStringLiteral("Delay between pause button and automatic resume"), tab), 0, 0);
    grid->addWidget(spDelay, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("seconds"), tab), 0, 2);
    grid->addWidget(cbMon1, 1, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);
    return tab;
}

void TForm7::fillFromSettings()
{
    edLogDateTime->setText(m_settings.text(SettingKey::LogDateFormat));
    sptabSize->setValue(m_settings.integer(SettingKey::LogTab));
    edTypeAUrl->setText(m_settings.text(SettingKey::HHAUrl));
    edTypeBUrl->setText(m_settings.text(SettingKey::HHBUrl));
    cbDateStamp->setChecked(m_settings.flag(SettingKey::DateStamp));
    edImageDateTime->setText(m_settings.text(SettingKey::ImageDateFormat));
    cbPrefix->setChecked(m_settings.flag(SettingKey::AddPrefix));
    edImagePrefix->setText(m_settings.text(SettingKey::ImagePrefix));
    cbRecycle->setChecked(m_settings.flag(SettingKey::Recycle));
    edWebFolder->setText(m_settings.text(SettingKey::WebFolder));
    spDelay->setValue(m_settings.integer(SettingKey::PauseDelay));
    cbMon1->setChecked(m_settings.flag(SettingKey::Monitor1));
}

void TForm7::FormShow()
{
    fillFromSettings();
    // Refilling an unchanged text emits no change, so the examples are
    // brought to the moment of opening here.
    edLogDateTimeChange();
    edImageDateTimeChange();
    const RouterType type = RouterTypeFromIndex(m_settings.integer(SettingKey::Type));
    Label4->setEnabled(type == RouterType::TypeA);
    edTypeAUrl->setEnabled(type == RouterType::TypeA);
    Label3->setEnabled(type == RouterType::TypeB);
    edTypeBUrl->setEnabled(type == RouterType::TypeB);
}

void TForm7::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm7::Button1Click()
{
    m_settings.setText(SettingKey::LogDateFormat, edLogDateTime->text());
    m_settings.setInteger(SettingKey::LogTab, sptabSize->value());
    m_settings.setText(SettingKey::HHAUrl, edTypeAUrl->text());
    m_settings.setText(SettingKey::HHBUrl, edTypeBUrl->text());
    m_settings.setText(SettingKey::ImageDateFormat, edImageDateTime->text());
    m_settings.setText(SettingKey::ImagePrefix, edImagePrefix->text());
    m_settings.setFlag(SettingKey::AddPrefix, cbPrefix->isChecked());
    m_settings.setFlag(SettingKey::Recycle, cbRecycle->isChecked());
    m_settings.setText(SettingKey::WebFolder, edWebFolder->text());
    m_settings.setInteger(SettingKey::PauseDelay, spDelay->value());
    m_settings.setFlag(SettingKey::Monitor1, cbMon1->isChecked());
    // The graphs label the next points with or without the day at once.
    m_graphs.setDateStamp(cbDateStamp->isChecked());
    emit applied();
    accept();
}

void TForm7::Button2Click()
{
    reject();
}

void TForm7::Button3Click()
{
    const QString folder
        = m_prompts->chooseFolder(this, QStringLiteral("Select folder"), edWebFolder->text());
    if (!folder.isEmpty())
        edWebFolder->setText(folder);
}

void TForm7::edLogDateTimeChange()
{
    Label10->setText(FormatDateTime(edLogDateTime->text(), m_clock.now(), m_settings.context().locale));
}

void TForm7::edImageDateTimeChange()
{
    Label11->setText(FormatDateTime(edImageDateTime->text(), m_clock.now(), m_settings.context().locale));
}

void TForm7::cbPrefixClick(bool checked)
{
    if (!checked)
        confirmCleared(cbPrefix, PrefixWarning());
}

void TForm7::cbRecycleClick(bool checked)
{
    if (!checked)
        confirmCleared(cbRecycle, RecycleWarning());
}

void TForm7::confirmCleared(QCheckBox *box, const QString &warning)
{
    if (!isVisible())
        return;
    if (!m_prompts->confirmWarning(this, pos() + QPoint(100, 50), warning))
        box->setChecked(true);
}

void TForm7::edWebFolderExit()
{
    edWebFolder->setText(WithoutTrailingSlash(edWebFolder->text()));
}

void TForm7::PageControl1Change()
{
    Button2->setFocus();
}

bool TForm7::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the box for another control of the dialog; the dialog losing
    // the active window or a pop-up menu over the box is no leaving.
    if (watched == edWebFolder && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            edWebFolderExit();
    }
    return QDialog::eventFilter(watched, event);
}
