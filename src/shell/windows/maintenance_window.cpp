#include "shell/windows/maintenance_window.h"

#include "base/clock.h"
#include "base/settings.h"
#include "outputs/daily_maintenance.h"
#include "outputs/output_settings.h"
#include "shell/windows/window_placement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <limits>
#include <optional>

namespace {

constexpr int kDaysMax = 99999999;

// A button that Enter in a box does not press.
QPushButton *Button(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

QTimeEdit *TimePicker(QWidget *parent)
{
    auto *picker = new QTimeEdit(parent);
    picker->setDisplayFormat(QStringLiteral("HH:mm"));
    return picker;
}

// Puts a time into the picker; quietly when it stands in for a stored time
// that does not read, so that nothing is stored.
void ShowTime(QTimeEdit *picker, const QTime &time, bool quietly)
{
    const QSignalBlocker blocker(quietly ? picker : nullptr);
    picker->setTime(time);
}

QSpinBox *SpinBox(int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, maximum);
    box->setMinimumWidth(90);
    return box;
}

} // namespace

TForm5::TForm5(Settings &settings, DailyMaintenance &maintenance, const Clock &clock, QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint),
      m_settings(settings), m_maintenance(maintenance), m_clock(clock)
{
    setWindowTitle(QStringLiteral("Linewarden - Maintenance"));
    Button2 = Button(QStringLiteral("Close"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildLogGroup());
    layout->addWidget(buildImagesGroup());
    layout->addLayout(buttons);
    // A fixed dialog border: the window keeps the size its contents ask for.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cbTrimLog, &QCheckBox::toggled, this, &TForm5::cbTrimLogClick);
    connect(spTrimLines, &QSpinBox::valueChanged, this, &TForm5::spTrimLinesChange);
    connect(DateTimepicker1, &QTimeEdit::timeChanged, this, &TForm5::DateTimepicker1Change);
    connect(cbDeleteImages, &QCheckBox::toggled, this, &TForm5::cbDeleteImagesClick);
    connect(spDays, &QSpinBox::valueChanged, this, &TForm5::spDaysChange);
    connect(DeleteTimePicker, &QTimeEdit::timeChanged, this, &TForm5::DeleteTimePickerChange);
    connect(btnTrimNow, &QPushButton::clicked, this, &TForm5::btnTrimNowClick);
    connect(btnDeleteNow, &QPushButton::clicked, this, &TForm5::btnDeleteNowClick);
    connect(btnLogView, &QPushButton::clicked, this, &TForm5::logViewWanted);
    connect(btnImageView, &QPushButton::clicked, this, &TForm5::imageViewerWanted);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
}

QGroupBox *TForm5::buildLogGroup()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Log Maintenance"), this);
    cbTrimLog = new QCheckBox(QStringLiteral("Trim log file to"), GroupBox1);
    spTrimLines = SpinBox(std::numeric_limits<int>::max(), GroupBox1);
    DateTimepicker1 = TimePicker(GroupBox1);
    btnTrimNow = Button(QStringLiteral("Trim\nNow"), GroupBox1);
    btnLogView = Button(QStringLiteral("View"), GroupBox1);
    auto *grid = new QGridLayout(GroupBox1);
    grid->addWidget(cbTrimLog, 0, 0);
    grid->addWidget(spTrimLines, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("lines"), GroupBox1), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Daily at"), GroupBox1), 1, 0, Qt::AlignRight);
    grid->addWidget(DateTimepicker1, 1, 1);
    grid->addWidget(btnTrimNow, 0, 4, 2, 1);
    grid->addWidget(btnLogView, 0, 5, 2, 1);
    grid->setColumnStretch(3, 1);
    return GroupBox1;
}

QGroupBox *TForm5::buildImagesGroup()
{
    GroupBox2 = new QGroupBox(QStringLiteral(" Captured Images "), this);
    cbDeleteImages = new QCheckBox(QStringLiteral("Delete files older than "), GroupBox2);
    spDays = SpinBox(kDaysMax, GroupBox2);
    DeleteTimePicker = TimePicker(GroupBox2);
    btnDeleteNow = Button(QStringLiteral("Delete\n Now"), GroupBox2);
    btnImageView = Button(QStringLiteral("View"), GroupBox2);
    Label3 = new QLabel(GroupBox2);
    Label3->setWordWrap(true);
    Label3->setFixedWidth(420);
    // Shown only while the deletion is on; the window keeps its size.
    QSizePolicy policy = Label3->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    Label3->setSizePolicy(policy);
    auto *grid = new QGridLayout(GroupBox2);
    grid->addWidget(cbDeleteImages, 0, 0);
    grid->addWidget(spDays, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("days"), GroupBox2), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Daily at"), GroupBox2), 1, 0, Qt::AlignRight);
    grid->addWidget(DeleteTimePicker, 1, 1);
    grid->addWidget(btnDeleteNow, 0, 4, 2, 1);
    grid->addWidget(btnImageView, 0, 5, 2, 1);
    grid->addWidget(Label3, 2, 0, 1, 6);
    grid->setColumnStretch(3, 1);
    return GroupBox2;
}

QPoint TForm5::centredPosition() const
{
    const QWidget *owner = parentWidget();
    return owner ? CentredOver(owner->frameGeometry(), frameGeometry().size()) : pos();
}

int TForm5::ShowModal(Opener opener)
{
    // The size follows the controls' contents, settled by the layout; the
    // frame is known once the native window exists. Showing fills the
    // controls again, to the same values.
    FormShow();
    layout()->activate();
    winId();
    move(centredPosition());
    setHighlighted(GroupBox1, opener == Opener::LogGroup);
    setHighlighted(GroupBox2, opener == Opener::GraphsGroup);
    return exec();
}

void TForm5::setHighlighted(QGroupBox *group, bool on)
{
    group->setAutoFillBackground(on);
    if (!on) {
        group->setPalette(QPalette());
        return;
    }
    QPalette palette = group->palette();
    palette.setColor(QPalette::Window, Qt::white);
    group->setPalette(palette);
}

void TForm5::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

// A stored time that does not read as one schedules nothing. Its picker
// shows the current time of day, but the stored text stays as it is (and so
// nothing runs) until the user sets a time: showing the window must not
// schedule a job the user never set.
void TForm5::FormShow()
{
    const QTime now = m_clock.now().time();
    cbTrimLog->setChecked(m_settings.flag(SettingKey::TrimLog));
    spTrimLines->setValue(m_settings.integer(SettingKey::TrimLines));
    const std::optional<QTime> trimTime = m_settings.trimTimeOfDay();
    m_trimTimeUnread = !trimTime;
    ShowTime(DateTimepicker1, trimTime.value_or(now), m_trimTimeUnread);
    cbDeleteImages->setChecked(m_settings.flag(SettingKey::DeleteImages));
    spDays->setValue(m_settings.integer(SettingKey::DeleteDays));
    const QTime deleteTime = m_settings.time(SettingKey::DeleteTime);
    m_deleteTimeUnread = !deleteTime.isValid();
    ShowTime(DeleteTimePicker, m_deleteTimeUnread ? now : deleteTime, m_deleteTimeUnread);
    Label3->setVisible(cbDeleteImages->isChecked());
    Label3->setText(informationText(true));
}

QString TForm5::informationText(bool opening) const
{
    const OutputSettings outputs(m_settings);
    return DeleteInformationText(opening, m_settings.flag(SettingKey::AddPrefix),
        m_settings.text(SettingKey::ImagePrefix), spDays->value(), outputs.captureFolder());
}

void TForm5::cbTrimLogClick(bool checked)
{
    m_settings.setFlag(SettingKey::TrimLog, checked);
    emit trimLogChanged(checked);
}

void TForm5::spTrimLinesChange(int lines)
{
    m_settings.setInteger(SettingKey::TrimLines, lines);
}

void TForm5::DateTimepicker1Change(const QTime &time)
{
    m_trimTimeUnread = false;
    m_settings.setText(SettingKey::TrimTime, m_settings.trimTimeText(time));
}

void TForm5::cbDeleteImagesClick(bool checked)
{
    m_settings.setFlag(SettingKey::DeleteImages, checked);
    Label3->setVisible(checked);
    emit deleteImagesChanged(checked);
}

void TForm5::spDaysChange(int days)
{
    m_settings.setInteger(SettingKey::DeleteDays, days);
    Label3->setText(informationText(false));
}

void TForm5::DeleteTimePickerChange(const QTime &time)
{
    m_deleteTimeUnread = false;
    m_settings.setTime(SettingKey::DeleteTime, time);
}

void TForm5::btnTrimNowClick()
{
    m_maintenance.trimNow();
}

void TForm5::btnDeleteNowClick()
{
    m_maintenance.deleteNow();
}

void TForm5::storeAll()
{
    cbTrimLogClick(cbTrimLog->isChecked());
    spTrimLinesChange(spTrimLines->value());
    if (!m_trimTimeUnread)
        DateTimepicker1Change(DateTimepicker1->time());
    cbDeleteImagesClick(cbDeleteImages->isChecked());
    m_settings.setInteger(SettingKey::DeleteDays, spDays->value());
    if (!m_deleteTimeUnread)
        DeleteTimePickerChange(DeleteTimePicker->time());
}

// Every way of closing comes here: "Close", the close box and Escape.
void TForm5::done(int result)
{
    storeAll();
    setHighlighted(GroupBox1, false);
    setHighlighted(GroupBox2, false);
    QDialog::done(result);
}
